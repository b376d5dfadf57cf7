# tests of e2e join here
