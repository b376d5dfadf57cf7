# Stack.cpp joins here
