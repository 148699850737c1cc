#pragma once
// The subcommands of vimra-cli; each takes the arguments after its own name.

int runCreateCommand(int argc, char** argv);
int runPreviewCommand(int argc, char** argv);
int runServeCommand(int argc, char** argv);
int runSettingsCommand(int argc, char** argv);
int runUploadCommand(int argc, char** argv);
