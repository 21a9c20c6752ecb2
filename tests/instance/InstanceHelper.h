#pragma once

// When the test binary is started as "--instance-helper <mode> <key> [timeoutMs]" it
// plays a program copy instead of running the tests:
//   hold:  claims the key and prints "claim=1" or "claim=0"; as the first copy, prints
//          "secondRun" on each later start and keeps that handler running (as a message
//          box would) until it reads the line "release", then prints "returned".
//          Ends on the line "quit" or the end of its input.
//   claim: claims the key, prints the result and ends with code 0.
bool isInstanceHelperCall(int argc, char **argv);
int runInstanceHelper(int argc, char **argv);
