// Standard output and error for the command-line modes of a program built
// for the window subsystem, which Windows starts with no console of its own.
#pragma once

// Each of standard output and error that is redirected (a file or a pipe)
// is used as it is, in binary mode so that its bytes equal the Linux
// program's; one that is not gets the console of the program that started
// this one, if there is one, with UTF-8 output while we write to it.
void UseParentConsole();
