#pragma once

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "catalogue/file_system.h"
#include "support/have_program.h"

// xdg-mime run in a desktop session made of test folders only: the user's
// data and config folders, and system folders standing in for /usr/share
// and /etc/xdg, so that what the machine itself has installed is never seen.
namespace kiremo::testing_support {

struct DesktopSession {
  std::string data_home;
  std::string config_home;
  std::string system_data;    // XDG_DATA_DIRS
  std::string system_config;  // XDG_CONFIG_DIRS

  // The first line a command prints in the session, as a plain desktop.
  std::string FirstLineOf(const std::string& command) const {
    const std::string line =
        "env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION -u KDE_SESSION_VERSION"
        " -u GNOME_DESKTOP_SESSION_ID XDG_DATA_HOME='" +
        data_home + "' XDG_CONFIG_HOME='" + config_home + "' XDG_DATA_DIRS='" + system_data + "' XDG_CONFIG_DIRS='" +
        system_config + "' " + command + " 2>/dev/null";
    FILE* pipe = ::popen(line.c_str(), "r");
    if (!pipe) return {};
    std::string out;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
    ::pclose(pipe);
    return out.substr(0, out.find('\n'));
  }

  std::string DefaultForPlans() const { return FirstLineOf("xdg-mime query default application/x-kiremo-plan"); }
  std::string TypeOf(const std::string& path) const { return FirstLineOf("xdg-mime query filetype '" + path + "'"); }
};

// The system data folder as the program's package leaves it: its desktop
// entry, the file type, and the caches the package's triggers rebuild.
// False when the MIME cache could not be made.
inline bool InstallPackagedEntry(const DesktopSession& session) {
  const std::string applications = session.system_data + "/applications";
  std::filesystem::create_directories(applications);
  std::filesystem::create_directories(session.system_data + "/mime/packages");
  std::filesystem::create_directories(session.system_config);
  WriteFileAtomically(applications + "/tr.edu.zemu.kiremo.desktop",
                      "[Desktop Entry]\nType=Application\nName=ZEMU Kiremo\nExec=kiremo %f\n"
                      "MimeType=application/x-kiremo-plan;\n");
  WriteFileAtomically(applications + "/mimeinfo.cache",
                      "[MIME Cache]\napplication/x-kiremo-plan=tr.edu.zemu.kiremo.desktop;\n");
  std::filesystem::copy_file(std::string(KIREMO_TESTS_DIR) + "/../dist/kiremo-plan.xml",
                             session.system_data + "/mime/packages/kiremo.xml");
  return std::system(("update-mime-database '" + session.system_data + "/mime' >/dev/null 2>&1").c_str()) == 0;
}

// A file that `which` finds and runs: desktop tools skip a default whose
// program is not there.
inline std::string MakeExecutable(const std::string& path) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  WriteFileAtomically(path, "#!/bin/sh\n");
  ::chmod(path.c_str(), 0755);
  return path;
}

}  // namespace kiremo::testing_support
