#pragma once
// The subcommands of vimra-cli; each takes the arguments after its own name.

int runCreateCommand(int argc, char** argv);
int runPreviewCommand(int argc, char** argv);
int runServeCommand(int argc, char** argv);
int runSettingsCommand(int argc, char** argv);
int runUploadCommand(int argc, char** argv);
int runTaxCommand(int argc, char** argv);
int runCurrencyCommand(int argc, char** argv);
int runCurrencyScriptCommand(int argc, char** argv);
int runDeliveryCommand(int argc, char** argv);
int runOrderFormCommand(int argc, char** argv);
int runTickerCommand(int argc, char** argv);
int runSettingsArchiveCommand(int argc, char** argv);
