#include "files/workbook_writer.h"

#include <stdlib.h>
#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string_view>

#include "catalogue/file_system.h"
#include "text/cp1254.h"
#include "text/errno_text.h"
#include "text/errors.h"

namespace kiremo::files {

namespace {

// A folder of its own beside the target, made with a name nobody can guess
// and open to this user alone: the library opens its file by name, and no
// link can be planted where it writes. Removed with what it holds.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& beside) : path_(FolderOf(beside) + ".kiremo-XXXXXX") {
    if (!::mkdtemp(path_.data())) throw IoError(SystemReason());
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// libxlsxwriter tells its own failures on stderr, in English and with its
// source file's name; the student gets the reason in Turkish instead. The
// library writes through the stderr stream alone, which leads nowhere while
// it works.
class QuietLibrary {
 public:
  QuietLibrary() : sink_(std::fopen("/dev/null", "we")) {
    if (!sink_) return;
    std::fflush(stderr);
    saved_ = stderr;
    stderr = sink_;
  }
  ~QuietLibrary() {
    if (!sink_) return;
    stderr = saved_;
    std::fclose(sink_);
  }
  QuietLibrary(const QuietLibrary&) = delete;
  QuietLibrary& operator=(const QuietLibrary&) = delete;

 private:
  std::FILE* sink_;
  std::FILE* saved_ = nullptr;
};

// The library's failure in the program's words: a full disk as every full
// disk is told, others by what the library was doing.
[[noreturn]] void LibraryFailure(lxw_error error, int system_error) {
  if (system_error == ENOSPC || system_error == EDQUOT || system_error == EFBIG) {
    throw DiskFullError(ErrnoText(system_error), system_error);
  }
  std::string what;
  switch (error) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED: what = "bellek yetmedi"_w; break;
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE: what = "Excel dosyası oluşturulamadı"_w; break;
    default: what = "Excel dosyası yazılırken bir hata oldu"_w; break;
  }
  if (system_error != 0) what += " (" + ErrnoText(system_error) + ")";
  throw IoError(what, system_error);
}

void Fill(lxw_workbook* workbook, const SheetCells& cells) {
  lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
  lxw_format* heading = workbook_add_format(workbook);
  format_set_bold(heading);
  format_set_font_size(heading, 8);
  lxw_format* body = workbook_add_format(workbook);
  format_set_font_size(body, 8);
  format_set_text_wrap(body);
  if (!sheet || !heading || !body) throw IoError(std::string("Excel sayfası oluşturulamadı"_w));

  for (int row = 0; row < static_cast<int>(cells.size()); ++row) {
    for (int column = 0; column < static_cast<int>(cells[row].size()); ++column) {
      lxw_format* format = (row == 0 || column == 0) ? heading : body;
      const std::string& text = cells[row][column];
      const lxw_error error = text.empty()
                                  ? worksheet_write_blank(sheet, row, column, format)
                                  : worksheet_write_string(sheet, row, column, Cp1254ToUtf8(text).c_str(), format);
      if (error != LXW_NO_ERROR) LibraryFailure(error, 0);
    }
  }
}

}  // namespace

void WriteWorkbook(const std::string& path, const SheetCells& cells) {
  const ScratchFolder scratch(path);
  const std::string built = scratch.File("plan.xlsx");
  {
    const QuietLibrary quiet;
    lxw_workbook* workbook = workbook_new(built.c_str());
    if (!workbook) throw IoError(std::string("Excel dosyası oluşturulamadı"_w));
    try {
      Fill(workbook, cells);
    } catch (...) {
      workbook_close(workbook);  // the library has no way to drop a workbook unwritten
      throw;
    }
    errno = 0;
    const lxw_error error = workbook_close(workbook);
    if (error != LXW_NO_ERROR) LibraryFailure(error, errno);
  }
  try {
    // The safe replacement: the target's permissions kept, a linked target
    // written through.
    WriteFileAtomically(path, ReadWholeFile(built));
  } catch (const IoError& e) {
    // The caller names the file; the reason alone follows.
    const std::string_view message = e.what();
    const std::string prefix = path + ": ";
    throw IoError(std::string(message.starts_with(prefix) ? message.substr(prefix.size()) : message));
  }
}

}  // namespace kiremo::files
