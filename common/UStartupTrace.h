#pragma once
// Phase times of the start-up, for finding what lies on its critical path.
// With GULUSPELL_STARTUP_TRACE set, each mark prints one line to stderr:
//   guluspell trace: <wall ms since main> wall, <cpu ms> cpu, <epoch us> epoch: <phase>
// The process's CPU time includes what the dynamic loader spent before main,
// and the epoch time lets a script measure from its own start of the process.
// Off (the default), a mark costs one test of a cached flag. Safe from any
// thread; creates no Qt object.

// Call first thing in main: the wall clock of later marks counts from here.
void StartupTraceBegin();
void StartupMark(const char *phase);
