#pragma once
// The shell of the desktop program. A catalogue is shown in the user's
// browser through a loopback web server that lives as long as the program:
// opened from disk, the catalogue's frames could not reach the basket.
#include <memory>
#include <string>

#include "app/core/posix_shell.h"
#include "serve/catalogue_server.h"

class DesktopShell : public PosixShell {
public:
    ~DesktopShell() override;
    bool viewCatalogue(const std::string& folder) override;
    // The http address that shows the catalogue in folder, serving it from
    // now on; empty when no server could be started for it.
    std::string catalogueAddress(const std::string& folder);

private:
    std::unique_ptr<CatalogueServer> m_server;
    std::string m_servedFolder;
};
