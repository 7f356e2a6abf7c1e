// Program entry: the start-up runs the program until its main window closes.
#include "app/program_start.h"

int main(int argc, char* argv[]) { return app::RunProgram(argc, argv); }
