#pragma once
// Printers of result rows on standard output: plain text and JSON Lines over the same rows.
//
//   auto printer = MakeRowPrinter(json ? RowFormat::Json : RowFormat::CountAndMessage, root);
//   printer->Print(row);
#include <cstdio>
#include <memory>
#include <string>

#include "core/TaskMessage.h"

namespace qv::cli {

enum class RowFormat {
  RowText,          // ./sub/a.txt
  CountAndMessage,  // ./sub/a.txt<TAB>3<TAB>OK
  RowAndMessage,    // ./sub/a.txt<TAB>message (no count column)
  Json,             // {"row":..., "path":..., "count":..., "error":..., "message":...}
};

class CRowPrinter {
 public:
  CRowPrinter(RowFormat format, std::string root, std::FILE* out = stdout)
      : format_(format), root_(std::move(root)), out_(out) {}
  void Print(const CTaskResultRow& row);
  int Printed() const { return printed_; }
  void Flush() { std::fflush(out_); }

 private:
  RowFormat format_;
  std::string root_;
  std::FILE* out_;
  int printed_ = 0;
};

}  // namespace qv::cli
