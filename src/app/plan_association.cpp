#include "app/plan_association.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "app/ini_file.h"
#include "catalogue/file_system.h"
#include "text/cp1254.h"
#include "text/errors.h"

extern char** environ;

namespace kiremo::app {

namespace {

std::string AbsoluteFromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value && value[0] == '/' ? std::string(value) : std::string();
}

void CreateFolder(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) throw IoError("cannot create " + folder);
}

std::string MimePackage() {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
         "  <mime-type type=\"" +
         std::string(kPlanMimeType) +
         "\">\n"
         "    <glob pattern=\"*.dkf\"/>\n"
         "  </mime-type>\n"
         "</mime-info>\n";
}

std::string DesktopEntry(const std::string& executable_path) {
  // Desktop entries are UTF-8; the name is the program's title without the version.
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=" +
         Cp1254ToUtf8("ZEMÜ Kiremo"_w) +
         "\n"
         "Exec=" +
         DesktopExecArgument(executable_path) +
         " %f\n"
         "MimeType=" +
         std::string(kPlanMimeType) +
         ";\n"
         "Terminal=false\n"
         "StartupWMClass=kiremo\n"
         "NoDisplay=true\n";
}

// Runs a cache tool of the desktop (update-mime-database,
// update-desktop-database) on one of the user's folders when it is
// installed; its output is of no interest.
void RefreshCache(const char* tool, const std::string& folder) {
  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return;
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::string program = tool;
  std::string argument = folder;
  char* argv[] = {program.data(), argument.data(), nullptr};
  pid_t child = 0;
  const int started = posix_spawnp(&child, program.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (started != 0) return;
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace

XdgFolders XdgFoldersFromEnvironment() {
  XdgFolders folders{AbsoluteFromEnvironment("XDG_DATA_HOME"), AbsoluteFromEnvironment("XDG_CONFIG_HOME")};
  const std::string home = AbsoluteFromEnvironment("HOME");
  if (folders.data_home.empty() && !home.empty()) folders.data_home = home + "/.local/share";
  if (folders.config_home.empty() && !home.empty()) folders.config_home = home + "/.config";
  return folders;
}

std::string DesktopExecArgument(std::string_view path) {
  // Characters that make the Exec line quote the argument.
  constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
  std::string argument;
  if (path.find_first_of(kReserved) == std::string_view::npos) {
    argument = path;
  } else {
    argument = "\"";
    for (const char c : path) {
      if (c == '"' || c == '`' || c == '$' || c == '\\') argument += '\\';
      argument += c;
    }
    argument += '"';
  }
  // The Exec value is a string of the entry format (backslash escapes) and
  // its own field codes start with "%".
  std::string value;
  for (const char c : argument) {
    if (c == '\\') {
      value += "\\\\";
    } else if (c == '%') {
      value += "%%";
    } else if (c == '\n') {
      value += "\\n";
    } else {
      value += c;
    }
  }
  return value;
}

void RegisterPlanAssociation(const std::string& executable_path, const XdgFolders& folders) {
  if (executable_path.empty() || folders.data_home.empty() || folders.config_home.empty()) {
    throw Error("no folder for the plan association");
  }
  const std::string mime_folder = folders.data_home + "/mime";
  CreateFolder(mime_folder + "/packages");
  WriteFileAtomically(mime_folder + "/packages/kiremo-plan.xml", MimePackage());

  const std::string applications = folders.data_home + "/applications";
  CreateFolder(applications);
  WriteFileAtomically(applications + "/" + std::string(kDesktopEntryName), DesktopEntry(executable_path));

  CreateFolder(folders.config_home);
  IniFile(folders.config_home + "/mimeapps.list").WriteString("Default Applications", kPlanMimeType, kDesktopEntryName);

  RefreshCache("update-mime-database", mime_folder);
  // The user's own desktop cache comes before the system's (an installed
  // package's entry): tools that cannot start the default of mimeapps.list
  // (xdg-mime cannot follow a quoted Exec path) fall back to it.
  RefreshCache("update-desktop-database", applications);
}

}  // namespace kiremo::app
