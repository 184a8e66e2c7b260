#pragma once

#include <string>
#include <vector>

// Exit codes of kestrel-cli.
enum CliExit : int { EXIT_OK = 0, EXIT_REFUSED = 1, EXIT_USAGE = 2 };

// Each command takes the arguments after its name and returns an exit code.
int RunCatalogCommand(const std::vector<std::string>& args);
int RunNewCommand(const std::vector<std::string>& args);
int RunInfoCommand(const std::vector<std::string>& args);
int RunAddBlockCommand(const std::vector<std::string>& args);
int RunSetParamCommand(const std::vector<std::string>& args);
int RunRemoveBlockCommand(const std::vector<std::string>& args);
int RunRenameLoopCommand(const std::vector<std::string>& args);
int RunSetInfoCommand(const std::vector<std::string>& args);
int RunSetModelCommand(const std::vector<std::string>& args);
int RunImportCommand(const std::vector<std::string>& args);
int RunExportPdaCommand(const std::vector<std::string>& args);
int RunDownloadCommand(const std::vector<std::string>& args);
int RunUploadCommand(const std::vector<std::string>& args);
int RunProbeCommand(const std::vector<std::string>& args);
int RunScanCommand(const std::vector<std::string>& args);
int RunMonitorCommand(const std::vector<std::string>& args);
int RunUpdateCommand(const std::vector<std::string>& args);
int RunCalibrationCommand(const std::vector<std::string>& args);
int RunRenderCommand(const std::vector<std::string>& args);
int RunTemplateCommand(const std::vector<std::string>& args);
int RunAutodrawCommand(const std::vector<std::string>& args);
int RunReportCommand(const std::vector<std::string>& args);
int RunPrintCommand(const std::vector<std::string>& args);
