# tests of shares join here
