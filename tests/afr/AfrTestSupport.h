#pragma once
// Builders for AFR script objects in tests, and a writer for small .fafrs fixtures.
#include <memory>
#include <string>

#include "afr/AfrAction.h"
#include "afr/AfrIfCond.h"
#include "afr/AfrRule.h"
#include "afr/AfrScript.h"

namespace afrtest {

// Conditions, initialized as the editor leaves them.
std::unique_ptr<CAfrIfCond> Find(const std::string& text, bool matchCase = false);
std::unique_ptr<CAfrIfCond> AtStart(const std::string& text, bool matchCase = false);
std::unique_ptr<CAfrIfCond> AtEnd(const std::string& text, bool matchCase = false);
std::unique_ptr<CAfrIfCond> Regex(const std::string& expr, bool matchCase = false);
std::unique_ptr<CAfrIfCond> True();

// Actions, initialized.
std::unique_ptr<CAfrAction> Replace(const std::string& text);
std::unique_ptr<CAfrAction> DeleteLine();
std::unique_ptr<CAfrAction> Prepend(const std::string& text);
std::unique_ptr<CAfrAction> Append(const std::string& text);
std::unique_ptr<CAfrAction> RemoveRange(int from, int to);
std::unique_ptr<CAfrAction> Duplicate();
std::unique_ptr<CAfrAction> Wrap(int width);
std::unique_ptr<CAfrAction> Number(const std::string& format);
std::unique_ptr<CAfrAction> Case(int mode);

std::unique_ptr<CAfrRule> Rule(std::unique_ptr<CAfrIfCond> cond, std::unique_ptr<CAfrAction> action, int enabled = 1);

// Bytes from a list of byte values.
std::string Bytes(std::initializer_list<int> v);
// The bytes a script saves as.
std::string ScriptBytes(const CAfrScript& script);

}  // namespace afrtest
