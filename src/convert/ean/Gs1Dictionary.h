#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "convert/ean/Gs1Linters.h"

namespace orbelin::convert::ean {

/// One component of an AI's data: its type, its length and its checks.
struct Gs1Component {
  char type = 'X';       ///< N digits, X character set 82, Y set 39, Z base64url
  std::size_t minLength = 0;
  std::size_t maxLength = 0;
  bool optional = false;  ///< may be left out once the data is used up
  std::vector<Gs1Linter> linters;
};

/// What the dictionary says of one AI.
struct Gs1AiRules {
  std::string ai;
  bool predefinedLength = false;  ///< needs no separator after it ("*")
  bool dataAttribute = false;     ///< may be a Digital Link data attribute ("?")
  std::vector<Gs1Component> components;
  /// One entry per req= attribute, each satisfied by any one of its groups, a group by all
  /// of its AI patterns ("01+21"); a pattern's n stands for any digit.
  std::vector<std::vector<std::vector<std::string>>> required;
  std::vector<std::string> excluded;  ///< the ex= patterns
  bool primaryKey = false;            ///< a Digital Link primary key ("dlpkey")
  /// For a primary key: the qualifier AIs it accepts after it in a Digital Link path, each
  /// list in the only order they may come in, any of them left out ("dlpkey=22,10,21|235").
  std::vector<std::vector<std::string>> qualifierSequences;
  bool qualifier = false;  ///< stands in some primary key's qualifier sequences
  std::string title;
};

/// The GS1 Barcode Syntax Dictionary: one set of rules per AI, ranges expanded.
class Gs1Dictionary {
 public:
  /// Parses the dictionary's text. Throws std::invalid_argument for a line it cannot read,
  /// an AI given twice, a primary key given to a range or a qualifier that is no AI.
  explicit Gs1Dictionary(std::string_view text);
  /// The rules of ai; nullptr for an AI that does not exist.
  const Gs1AiRules* find(std::string_view ai) const;
  const std::vector<Gs1AiRules>& allRules() const { return m_rules; }

 private:
  std::vector<Gs1AiRules> m_rules;  // in AI order
};

/// The dictionary built into the program from data/gs1-syntax-dictionary.txt.
const Gs1Dictionary& gs1Dictionary();

/// Whether ai matches pattern: the same length, an n in the pattern taking any digit.
bool gs1AiMatches(std::string_view pattern, std::string_view ai);

}  // namespace orbelin::convert::ean
