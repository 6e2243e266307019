// Start-up of the program WINVELDO2015: the application object and the main window.
#pragma once

#include <QApplication>

#include <memory>

namespace veldo {

// Creates the application object, which takes the user's locale from the environment,
// and then sets the C library's number formatting back to "C": libraries that write
// numbers with printf (the spreadsheet writer) must write "0.3", never "0,3". `argc`
// must outlive the application object.
std::unique_ptr<QApplication> CreateApplication(int& argc, char** argv);

// The program: application object, main window (opening the project named on the
// command line), message loop; returns the exit code.
int RunProgram(int argc, char** argv);

} // namespace veldo
