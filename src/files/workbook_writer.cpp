#include "files/workbook_writer.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include "catalogue/file_system.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::files {

namespace {

// Creates (or empties) the file the library will write, so that a folder
// that refuses it is reported with the system's own reason.
void ProbeWritable(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) throw IoError(SystemReason());
  ::close(fd);
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
      if (error != LXW_NO_ERROR) throw IoError(lxw_strerror(error));
    }
  }
}

}  // namespace

void WriteWorkbook(const std::string& path, const SheetCells& cells) {
  const std::string temporary = path + ".yeni";
  ProbeWritable(temporary);
  lxw_workbook* workbook = workbook_new(temporary.c_str());
  if (!workbook) {
    ::unlink(temporary.c_str());
    throw IoError(std::string("Excel dosyası oluşturulamadı"_w));
  }
  try {
    Fill(workbook, cells);
  } catch (...) {
    workbook_close(workbook);  // the library has no way to drop a workbook unwritten
    ::unlink(temporary.c_str());
    throw;
  }
  const lxw_error error = workbook_close(workbook);
  if (error != LXW_NO_ERROR) {
    ::unlink(temporary.c_str());
    throw IoError(lxw_strerror(error));
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    const std::string reason = SystemReason();
    ::unlink(temporary.c_str());
    throw IoError(reason);
  }
}

}  // namespace kiremo::files
