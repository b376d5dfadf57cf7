# tests of imaging join here
