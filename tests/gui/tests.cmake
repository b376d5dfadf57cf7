# tests of gui join here
