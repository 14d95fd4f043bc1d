#pragma once

namespace kombitron::cli {

// Each command gets the arguments after its own name; it returns the process exit code
// (0 success, 1 refused by the program, 2 usage error).
int cmdGenerate(int argc, char** argv);
int cmdView(int argc, char** argv);
int cmdImport(int argc, char** argv);
int cmdConvert(int argc, char** argv);
int cmdBase(int argc, char** argv);
int cmdCalc(int argc, char** argv);
int cmdSummary(int argc, char** argv);
int cmdGuarantees(int argc, char** argv);
int cmdHistory(int argc, char** argv);
int cmdStats(int argc, char** argv);

} // namespace kombitron::cli
