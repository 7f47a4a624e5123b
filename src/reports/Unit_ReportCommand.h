#pragma once
// velta-admin report FOLDER CHOICE [options] --pdf FILE [--csv FILE]: a report of the
// wizard without a screen. Runs its own application object (offscreen), so call it from
// main() before any other is made.
int RunAdminReportCommand(int argc, char** argv);

// The usage lines of the command.
extern const char* const kReportCommandUsage;
