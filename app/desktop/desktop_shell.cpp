#include "app/desktop/desktop_shell.h"

#include "model/paths.h"

DesktopShell::~DesktopShell() = default;

std::string DesktopShell::catalogueAddress(const std::string& folder) {
    const std::string native = nativePath(folder);
    if (!m_server || m_servedFolder != native || !m_server->isRunning()) {
        m_server.reset();
        auto server = std::make_unique<CatalogueServer>(native);
        ServeStart started = server->start(kDefaultServePort);
        // Another program may hold the usual port; any free one will do.
        if (started == ServeStart::PortInUse)
            started = server->start(0);
        if (started != ServeStart::Started)
            return {};
        m_server = std::move(server);
        m_servedFolder = native;
    }
    return m_server->address();
}

bool DesktopShell::viewCatalogue(const std::string& folder) {
    const std::string address = catalogueAddress(folder);
    if (address.empty())
        return Shell::viewCatalogue(folder);
    return openWithDefaultProgram(address, "");
}
