# tests of viewer join here
