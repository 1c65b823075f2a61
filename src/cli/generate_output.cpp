#include "cli/generate_output.h"

#include <string>
#include <vector>

#include "cli/output.h"
#include "generator/result_texts.h"
#include "text/cp1254.h"

namespace kiremo::cli {

namespace {

// Writes the alternatives in large pieces: a million of them are tens of
// megabytes of text.
class ChunkedWriter {
 public:
  explicit ChunkedWriter(std::ostream& out) : out_(out) {}
  ~ChunkedWriter() { Flush(); }
  std::string& Buffer() { return buffer_; }
  void Spill() {
    if (buffer_.size() >= (1u << 20)) Flush();
  }
  void Flush() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
  }

 private:
  std::ostream& out_;
  std::string buffer_;
};

// Each candidate's CRN as it is written: UTF-8, quoted for JSON if asked.
std::vector<std::string> CrnTexts(const generator::Generator& generator, bool json) {
  std::vector<std::string> texts;
  for (const generator::TTreeDers& c : generator.Candidates) {
    texts.push_back(json ? JsonText(c.CRN).dump() : Cp1254ToUtf8(c.CRN));
  }
  return texts;
}

// The CRNs of list item k, from the first level down, each after the
// separator (the first one too when `leading`).
void AppendCrns(std::string& line, const generator::Generator& generator, const std::vector<std::string>& crns,
                int item, std::string_view separator, bool leading) {
  const generator::Alternatives& results = generator.Results;
  const int k = generator.ResultOfItem(item);
  for (int level = 0; level < results.Levels(); ++level) {
    if (level > 0 || leading) line += separator;
    line += crns[results.Candidate(k, level)];
  }
}

// The friends' measures only when there are friends.
std::string MetricsJson(const generator::Metrics& m, bool friends) {
  auto clock = [](const std::string& text) { return text.empty() ? std::string("null") : '"' + text + '"'; };
  std::string json = "{\"days\": " + std::to_string(m.days) + ", \"gaps\": " + std::to_string(m.gaps) +
                     ", \"start\": " + clock(generator::StartText(m)) + ", \"end\": " + clock(generator::EndText(m)) +
                     ", \"walks\": " + std::to_string(m.walks) + ", \"lunch\": " + std::to_string(m.lunch) +
                     ", \"streak\": " + std::to_string(m.streak);
  if (friends) {
    json += ", \"shared\": " + std::to_string(m.shared) + ", \"common_free\": " + std::to_string(m.common_free);
  }
  return json + "}";
}

std::string ExplanationJson(const generator::Explanation& explanation) {
  std::string json = "{\"courses\": [";
  for (std::size_t k = 0; k < explanation.courses.size(); ++k) {
    json += (k == 0 ? "" : ", ") + JsonText(explanation.courses[k]).dump();
  }
  json += "]";
  if (!explanation.removed_by.empty()) {
    json += ", \"removed_by\": {";
    for (std::size_t k = 0; k < explanation.removed_by.size(); ++k) {
      const generator::FilterCount& filter = explanation.removed_by[k];
      json += (k == 0 ? "\"" : ", \"") + std::string(filter.key) + "\": " + std::to_string(filter.removed);
    }
    json += "}";
  }
  return json + ", \"text\": " + JsonText(explanation.text).dump() + "}";
}

void PrintJsonMetrics(ChunkedWriter& writer, const generator::Generator& generator) {
  writer.Buffer() += ", \"metrics\": [";
  for (int item = 1; item <= generator.ResultCount; ++item) {
    writer.Buffer() +=
        (item == 1 ? "\n  " : ",\n  ") + MetricsJson(generator.MetricsOfItem(item), generator.HasFriends());
    writer.Spill();
  }
  writer.Buffer() += generator.ResultCount > 0 ? "\n]" : "]";
}

}  // namespace

void PrintJsonResult(std::ostream& out, const GenerateReport& report) {
  const generator::Generator& generator = report.generator;
  const std::vector<std::string> crns = CrnTexts(generator, true);
  ChunkedWriter writer(out);
  writer.Buffer() += "{\"count\": " + std::to_string(generator.ResultCount) +
                     ", \"total\": " + std::to_string(generator.Total) +
                     ", \"complete\": " + (report.complete ? "true" : "false") + ", \"alternatives\": [";
  for (int item = 1; item <= generator.ResultCount; ++item) {
    std::string& line = writer.Buffer();
    line += item == 1 ? "\n  [" : ",\n  [";
    AppendCrns(line, generator, crns, item, ", ", false);
    line += ']';
    writer.Spill();
  }
  writer.Buffer() += generator.ResultCount > 0 ? "\n]" : "]";
  if (report.metrics) PrintJsonMetrics(writer, generator);
  const auto& notices = report.generation.notices;
  writer.Buffer() += ", \"message\": ";
  writer.Buffer() += notices.empty() ? "null" : JsonText(notices.back().text).dump();
  if (report.generation.explanation) {
    writer.Buffer() += ", \"explanation\": " + ExplanationJson(*report.generation.explanation);
  }
  writer.Buffer() += "}\n";
}

void PrintTextResult(std::ostream& out, const GenerateReport& report) {
  const generator::Generator& generator = report.generator;
  const auto& notices = report.generation.notices;
  if (!notices.empty()) PrintLine(out, notices.back().caption + ": " + notices.back().text);
  const auto& explanation = report.generation.explanation;
  if (explanation && (notices.empty() || explanation->text != notices.back().text)) PrintLine(out, explanation->text);
  if (generator.ResultCount == 0) return;
  PrintLine(out, generator.SummaryText());
  const std::vector<std::string> crns = CrnTexts(generator, false);
  const bool walks = generator::NeedsWalks(generator.SortKeysInUse());
  ChunkedWriter writer(out);
  for (int item = 1; item <= generator.ResultCount; ++item) {
    std::string& line = writer.Buffer();
    line += report.metrics ? Cp1254ToUtf8(generator::AlternativeText(item, generator.MetricsOfItem(item), walks))
                           : generator::ResultItemText(item, generator.ResultCount);
    line += ':';
    AppendCrns(line, generator, crns, item, " ", true);
    line += '\n';
    writer.Spill();
  }
}

}  // namespace kiremo::cli
