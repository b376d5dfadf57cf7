# tests of basis join here
