// editor_program.h: `serve` as a program of its own. The editor links the
// HTTP server and what it needs (TLS, compression); loading those costs
// every command milliseconds at start, so the tool itself does not link
// them and hands `serve` to the editor program, which is the same command
// line built with the server in.

#ifndef HTMLMEMDOC_TOOLS_EDITOR_PROGRAM_H_
#define HTMLMEMDOC_TOOLS_EDITOR_PROGRAM_H_

// Runs the editor program in this process's place with the same arguments
// (the process keeps its id, so whoever started the tool can end the
// server). Returns only when it cannot, with exit code 2 and the reason
// said on standard error.
int RunEditorProgram(char** argv);

#endif  // HTMLMEMDOC_TOOLS_EDITOR_PROGRAM_H_
