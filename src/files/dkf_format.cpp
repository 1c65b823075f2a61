#include "files/dkf_format.h"

#include <functional>

#include "files/constraints_block.h"
#include "files/crn_texts.h"
#include "planner/grid.h"
#include "text/cp1254.h"

namespace kiremo::files {

namespace {

bool IsKnownCellState(int value) {
  return value == planner::kEmpty || planner::IsCommitted(value) || value == planner::kPreview ||
         planner::IsClash(value);
}

// Runs one block's reads; a block cut short gets the block's own message.
void ReadBlock(std::string_view cut_message, const std::function<void()>& read) {
  try {
    read();
  } catch (const PlanCutError& e) {
    throw PlanFormatError(std::string(cut_message) + " (" + e.what() + ")");
  }
}

std::string RowName(int row) { return std::to_string(row) + std::string(". satırdaki dersin "_w); }

// The record of row `row` after its flag.
void ReadRecord(DkfReader& in, int row, planner::StoredRow& record) {
  record.DersKodu = in.ReadString();
  record.DersAdi = in.ReadString();
  record.CRN = in.ReadString();
  // The CRN goes into the add/drop script and the registration page.
  if (!IsCrn(record.CRN)) throw PlanFormatError(RowName(row) + std::string("CRN'si beş haneli bir sayı değil"_w));
  record.Ogretmen = in.ReadString();
  record.BlokSayisi = in.ReadInteger();
  const int count = in.ReadInteger();
  // Refused before any is read: a runaway count costs neither memory nor time.
  if (count > planner::kMostMeetings) {
    throw PlanFormatError(RowName(row) + std::to_string(count) + std::string(" ders saati var (bir şubenin en çok "_w) +
                          std::to_string(planner::kMostMeetings) + std::string(" ders saati olur)"_w));
  }
  for (int n = 0; n < count; ++n) {
    planner::StoredMeeting meeting;
    meeting.Bina = in.ReadString();
    meeting.Gun = in.ReadString();
    meeting.Saat = in.ReadString();
    meeting.Derslik = in.ReadString();
    record.meetings.push_back(std::move(meeting));
  }
}

}  // namespace

std::string EncodePlan(const planner::PlanSnapshot& plan) {
  DkfWriter out;
  for (const std::string& text : plan.combos) out.WriteString(text);
  for (const auto& day : plan.cells) {
    for (int value : day) out.WriteInteger(value);
  }
  for (const auto& row : plan.rows) {
    if (!row) {
      out.WriteInteger(0);
      continue;
    }
    out.WriteInteger(1);
    out.WriteString(row->DersKodu);
    out.WriteString(row->DersAdi);
    out.WriteString(row->CRN);
    out.WriteString(row->Ogretmen);
    out.WriteInteger(row->BlokSayisi);
    out.WriteInteger(static_cast<int>(row->meetings.size()));
    for (const planner::StoredMeeting& meeting : row->meetings) {
      out.WriteString(meeting.Bina);
      out.WriteString(meeting.Gun);
      out.WriteString(meeting.Saat);
      out.WriteString(meeting.Derslik);
    }
  }
  for (const std::string& crn : plan.committed) out.WriteString(crn);
  WriteConstraints(out, plan.constraints);
  return out.Bytes();
}

planner::PlanSnapshot DecodePlan(std::string_view bytes) {
  if (bytes.empty()) throw PlanFormatError(std::string("dosya boş"_w));
  DkfReader in(bytes);
  planner::PlanSnapshot plan;
  ReadBlock("ders seçimleri yarıda kesilmiş"_w, [&] {
    for (std::string& text : plan.combos) text = in.ReadString();
  });
  ReadBlock("ders programı hücreleri yarıda kesilmiş"_w, [&] {
    for (auto& day : plan.cells) {
      for (int& value : day) value = in.ReadInteger();
    }
  });
  for (const auto& day : plan.cells) {
    for (int value : day) {
      if (!IsKnownCellState(value)) {
        throw PlanFormatError(std::string("ders programı hücresinde geçersiz değer: "_w) + std::to_string(value));
      }
    }
  }
  ReadBlock("ders kayıtları yarıda kesilmiş"_w, [&] {
    for (int row = 1; row <= planner::kRows; ++row) {
      const int flag = in.ReadInteger();
      if (flag == 0) continue;
      if (flag != 1) throw PlanFormatError(std::string("geçersiz ders kaydı işareti: "_w) + std::to_string(flag));
      ReadRecord(in, row, plan.rows[row - 1].emplace());
    }
  });
  ReadBlock("kaydedilmiş CRN'ler yarıda kesilmiş"_w, [&] {
    for (std::string& crn : plan.committed) crn = in.ReadString();
  });
  plan.constraints = ReadConstraints(bytes.substr(bytes.size() - in.Remaining()));
  return plan;
}

}  // namespace kiremo::files
