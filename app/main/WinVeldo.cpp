// The program WINVELDO2015.
#include "Startup.h"

int main(int argc, char* argv[]) { return veldo::RunProgram(argc, argv); }
