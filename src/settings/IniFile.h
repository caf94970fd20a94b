#pragma once
// A small INI reader and writer for the profile and the settings export file. It keeps sections
// and keys in file order (so histories read back as written), keeps the comment lines before the
// first section byte for byte (the export header), and stores any text exactly: a value that an
// INI line cannot hold as it is (leading or trailing blanks, a line break, a NUL, or a text that
// is itself wrapped in double quotes) is written in double quotes with \\ \n \r \0 escapes; every
// other value is written unchanged.
//
//   CIniFile ini;
//   ini.Set("General", "FindFolder", "  two blanks");
//   std::string text = ini.Serialize("\n");       // General/FindFolder="  two blanks"
//   CIniFile back;
//   back.Parse(text);
//   back.Find("General", "FindFolder");            // -> "  two blanks"
//
// Section and key names are compared ignoring ASCII letter case, as INI readers do.
#include <string>
#include <string_view>
#include <vector>

class CIniFile {
 public:
  struct Entry {
    std::string key;    // for a comment line: the whole line
    std::string value;  // decoded
    bool comment = false;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };

  // Reads `text` (LF or CR LF lines) into this object, replacing what it held. Returns the number
  // of lines that are not blank, a comment (";", "#", "%"), a "[section]" or a "key=value" inside
  // a section; those are skipped. A NUL byte counts as one such line and ends the parse.
  // `firstBadLine` gets the 1-based number of the first of them.
  int Parse(std::string_view text, int* firstBadLine = nullptr);
  // The file text; the preamble comes first, then every section, each line ended by `lineEnd`.
  std::string Serialize(std::string_view lineEnd) const;

  // Comment lines before the first section, kept and written as they are.
  std::vector<std::string>& Preamble() { return preamble_; }
  const std::vector<Section>& Sections() const { return sections_; }

  const Section* FindSection(std::string_view name) const;
  // The value of the first `key` of the first section `name`; nullptr when missing.
  const std::string* Find(std::string_view section, std::string_view key) const;
  // Sets the first `key` of section `name` in place, or appends the key (and the section).
  void Set(std::string_view section, std::string_view key, std::string value);
  // Replaces the keys of section `name` by `entries` (keeping the section's place), or appends it.
  void ReplaceSection(std::string_view name, std::vector<Entry> entries);
  void RemoveSection(std::string_view name);

  // The value text as written after "key=", and its reverse (trims blanks, undoes the quoting).
  static std::string EncodeValue(std::string_view value);
  static std::string DecodeValue(std::string_view raw);

 private:
  Section* FindSectionMutable(std::string_view name);

  std::vector<std::string> preamble_;
  std::vector<Section> sections_;
};
