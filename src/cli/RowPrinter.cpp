#include "RowPrinter.h"

#include "Json.h"
#include "core/DirReader.h"

namespace qv::cli {

void CRowPrinter::Print(const CTaskResultRow& row) {
  ++printed_;
  std::string text = qv::RelativeRowText(root_, row.path);
  std::string line;
  switch (format_) {
    case RowFormat::RowText: line = text; break;
    case RowFormat::CountAndMessage:
      line = text + "\t" + std::to_string(row.count) + "\t" + row.message.value_or("");
      break;
    case RowFormat::RowAndMessage: line = text + "\t" + row.message.value_or(""); break;
    case RowFormat::Json: line = JsonRow(row, text); break;
  }
  line.push_back('\n');
  std::fwrite(line.data(), 1, line.size(), out_);
}

}  // namespace qv::cli
