#include "cli/Diagnostics.h"

#include <cstdlib>
#include <unordered_map>
#include <utility>

#include "CST.h"
#include "Graph.h"
#include "Library.h"
#include "Vertex.h"
#include "io/Encoding.h"
#include "io/Files.h"

namespace sentralign::cli {

const char kPositionalUsage[] =
    "METODO SUMARIO SAIDA NTEXTOS TEXTO_1 ... TEXTO_n NCST CST_1 ... CST_m";

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr size_t kByteOrderMarkSize = 3;

// How many names of unknown relation types one message lists.
constexpr size_t kMaxTypeNames = 10;
// How many bytes of a declaration a message shows.
constexpr size_t kMaxDeclarationBytes = 60;

std::string quoted(const std::string& s) { return "'" + s + "'"; }

std::string positionalReminder() {
  return std::string("os argumentos sao posicionais (") + kPositionalUsage + ")";
}

// Whether `s` is an optional sign and decimal digits, nothing else.
bool isWholeNumber(const std::string& s) {
  size_t i = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
  if (i == s.size()) return false;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
  }
  return true;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// A warning for a count argument that is not a whole number.
std::string countWarning(const char* name, const std::optional<std::string>& text,
                         int value) {
  if (!text || isWholeNumber(*text)) return "";
  return std::string(name) + " " + quoted(*text) + " nao e um numero e vale " +
         std::to_string(value) + ": " + positionalReminder();
}

// A sentence or a summary line taken apart into the differences that keep
// a line from matching its sentence byte for byte, and what stays when
// they are taken away.
struct LineForm {
  bool latin1 = false;         // not well-formed UTF-8, so read as Latin-1
  bool byteOrderMark = false;  // begins with one (in UTF-8)
  std::string leadingBlanks, trailingBlanks;
  bool fullStop = false;  // ends with a full stop, inside the blanks
  std::string key;        // UTF-8, without all of the above
};

LineForm formOf(const std::string& bytes) {
  LineForm form;
  std::string text = bytes;
  form.latin1 = Encoding::toUtf8(&text);
  if (text.compare(0, kByteOrderMarkSize, kByteOrderMark) == 0) {
    form.byteOrderMark = true;
    text.erase(0, kByteOrderMarkSize);
  }
  size_t begin = 0;
  while (begin < text.size() && isBlank(text[begin])) ++begin;
  size_t end = text.size();
  while (end > begin && isBlank(text[end - 1])) --end;
  form.leadingBlanks = text.substr(0, begin);
  form.trailingBlanks = text.substr(end);
  form.key = text.substr(begin, end - begin);
  if (!form.key.empty() && form.key.back() == '.') {
    form.fullStop = true;
    form.key.pop_back();
  }
  return form;
}

// Each way in which `line` differs from `sentence`, whose keys are equal.
std::vector<std::string> differences(const LineForm& line, const LineForm& sentence) {
  std::vector<std::string> found;
  if (line.latin1 != sentence.latin1) {
    found.push_back(line.latin1 ? "codificacao (a linha em Latin-1, o texto em UTF-8)"
                                : "codificacao (a linha em UTF-8, o texto em Latin-1)");
  }
  if (line.byteOrderMark != sentence.byteOrderMark) {
    found.push_back(line.byteOrderMark
                        ? "marca de ordem de bytes (BOM) no inicio da linha"
                        : "marca de ordem de bytes (BOM) no inicio da sentenca");
  }
  if (line.leadingBlanks != sentence.leadingBlanks) found.push_back("brancos no inicio");
  if (line.trailingBlanks != sentence.trailingBlanks) found.push_back("brancos no fim");
  if (line.fullStop != sentence.fullStop) {
    found.push_back(line.fullStop ? "ponto final (a linha tem, a sentenca nao)"
                                  : "ponto final (a sentenca tem, a linha nao)");
  }
  return found;
}

std::string joined(const std::vector<std::string>& parts, const char* separator) {
  std::string out;
  for (const std::string& part : parts) {
    if (!out.empty()) out += separator;
    out += part;
  }
  return out;
}

// The sentences of a graph by the key of their form; the first vertex of
// vertexList wins, as in the summary reader. Non-owning.
class NearMatchIndex {
 public:
  explicit NearMatchIndex(const Graph& G) {
    for (const Vertex* V : G.vertexList) {
      std::string key = formOf(V->stringSentenceRef()).key;
      if (!key.empty()) byKey_.emplace(std::move(key), V);
    }
  }

  // The vertex whose sentence has the form key `key`; null when none has.
  const Vertex* find(const std::string& key) const {
    const auto found = byKey_.find(key);
    return found == byKey_.end() ? nullptr : found->second;
  }

 private:
  std::unordered_map<std::string, const Vertex*> byKey_;
};

// The name of the relation type of `cstList` that equals `name` but for
// the case of its ASCII letters; empty when there is none.
std::string typeOfOtherCase(const std::string& name, const std::vector<CST>& cstList) {
  const std::string lower = Library::converteMinusculas(name);
  for (const CST& type : cstList) {
    if (Library::converteMinusculas(type.nameRef()) == lower) return type.nameRef();
  }
  return "";
}

std::string describeUnknownTypes(const SkippedRelations& skipped,
                                 const std::vector<CST>& cstList) {
  int total = 0;
  std::vector<std::string> names;
  for (const auto& type : skipped.unknownTypes) {
    total += type.second;
    if (names.size() == kMaxTypeNames) continue;
    std::string name = "\"" + type.first + "\" (" + std::to_string(type.second);
    const std::string other = typeOfOtherCase(type.first, cstList);
    if (!other.empty()) name += ", a descricao tem \"" + other + "\"";
    names.push_back(name + ")");
  }
  if (skipped.unknownTypes.size() > kMaxTypeNames) names.push_back("...");
  return skipped.file + ": " + std::to_string(total) +
         " relacoes ignoradas por tipo ausente da descricao de relacoes: " +
         joined(names, ", ");
}

}  // namespace

std::string describeMissingArgument(const PositionalArguments& args) {
  switch (args.missingStep) {
    case kStepMethod:
      return "falta o argumento METODO";
    case kStepSummary:
      return "falta o argumento SUMARIO";
    case kStepOutput:
      return "falta o argumento SAIDA";
    case kStepTextCount:
      return "falta o argumento NTEXTOS";
    case kStepText:
      return "falta o argumento TEXTO_" + std::to_string(args.texts.size() + 1) +
             " (NTEXTOS e " + std::to_string(args.NumTexts) + ")";
    case kStepRelationCount:
      return "falta o argumento NCST";
    case kStepRelationFile:
      return "falta o argumento CST_" + std::to_string(args.relations.size() + 1) +
             " (NCST e " + std::to_string(args.NumCSTFiles) + ")";
    default:
      return "";
  }
}

std::string methodWarning(const PositionalArguments& args) {
  if (!args.method) return "";
  const int method = std::atoi(args.method->c_str());
  if (method >= 1 && method <= 6) return "";
  std::string warning =
      "METODO " + quoted(*args.method) + " nao e um numero de 1 a 6: a saida sera vazia";
  if (!args.method->empty() && (*args.method)[0] == '-' && !isWholeNumber(*args.method)) {
    warning += "; os argumentos sao posicionais (veja sentralign --help)";
  }
  return warning;
}

std::vector<std::string> argumentWarnings(const PositionalArguments& args) {
  std::vector<std::string> warnings;
  for (const std::string& warning :
       {countWarning("NTEXTOS", args.textCount, args.NumTexts),
        countWarning("NCST", args.relationCount, args.NumCSTFiles)}) {
    if (!warning.empty()) warnings.push_back(warning);
  }
  if (!args.ignored.empty()) {
    std::vector<std::string> words;
    for (const std::string& arg : args.ignored) words.push_back(quoted(arg));
    warnings.push_back("argumentos a mais, ignorados: " + joined(words, " ") +
                       " (NTEXTOS e " + std::to_string(args.NumTexts) + ", NCST e " +
                       std::to_string(args.NumCSTFiles) + ")");
  }
  return warnings;
}

std::string swallowedArgumentHint(const PositionalArguments& args,
                                  const std::string& readError) {
  for (size_t k = 0; k < args.texts.size(); ++k) {
    const std::string& path = args.texts[k];
    if (readError.compare(0, path.size() + 2, path + ": ") != 0) continue;
    if (!isWholeNumber(path)) return "";
    return quoted(path) + " foi tomado como TEXTO_" + std::to_string(k + 1) +
           " porque NTEXTOS e " + std::to_string(args.NumTexts) + ": " +
           positionalReminder();
  }
  return "";
}

int textNumberInName(const std::string& path) {
  const std::string name = sentralign::io::baseName(path);
  if (name.size() < 2 || !isAsciiLetter(name[0]) || !isDigit(name[1])) return -1;
  if (name.size() > 3 && isDigit(name[2]) && isDigit(name[3])) return -1;
  return Read::textNumberOfFileName(name);
}

std::vector<std::string> textNumberWarnings(const std::vector<std::string>& texts) {
  std::vector<std::string> warnings;
  for (size_t k = 0; k < texts.size(); ++k) {
    const int number = textNumberInName(texts[k]);
    const int place = static_cast<int>(k) + 1;
    if (number < 0 || number == place) continue;
    warnings.push_back(texts[k] + ": o nome indica o texto " + std::to_string(number) +
                       ", mas como TEXTO_" + std::to_string(place) + " ele e o texto " +
                       std::to_string(place) + " para os arquivos de relacoes");
  }
  return warnings;
}

std::string stopListWarning(const std::string& path,
                            const std::vector<std::string>& stopList) {
  for (const std::string& entry : stopList) {
    bool usable = !entry.empty();
    for (const char c : entry) usable = usable && !isBlank(c);
    if (usable) return "";
  }
  return path +
         ": lista de stop words sem nenhuma palavra: toda palavra conta como "
         "palavra de conteudo";
}

std::string relationTypesWarning(const std::string& path,
                                 const std::vector<CST>& cstList) {
  for (const CST& type : cstList) {
    const char direction = type.getDirection();
    if (!type.nameRef().empty() && (direction == 't' || direction == 'f')) return "";
  }
  return path +
         ": descricao de relacoes sem nenhum tipo valido (NOME PESO t|f por linha): "
         "nenhuma relacao CST vira aresta";
}

std::vector<std::string> unmatchedLineMessages(
    const std::string& path, const std::vector<UnmatchedLine>& unmatched, const Graph& G,
    const std::vector<std::string>& texts) {
  std::vector<std::string> messages;
  if (unmatched.empty()) return messages;
  const NearMatchIndex index(G);
  for (const UnmatchedLine& line : unmatched) {
    messages.push_back(Read::describeUnmatched(path, line, false));
    const LineForm form = formOf(line.text);
    if (form.key.empty()) continue;
    const Vertex* V = index.find(form.key);
    if (V == nullptr) continue;
    const std::vector<std::string> found =
        differences(form, formOf(V->stringSentenceRef()));
    if (found.empty()) continue;  // equal forms are equal bytes: never dropped
    std::string sentence =
        std::to_string(V->getIdText()) + "." + std::to_string(V->getPosText());
    const int k = V->getIdText();
    if (k >= 1 && static_cast<size_t>(k) <= texts.size()) {
      sentence += " (" + texts[static_cast<size_t>(k) - 1] + ")";
    }
    messages.push_back(path + ":" + std::to_string(line.lineNumber) +
                       ": dica: casaria com a sentenca " + sentence +
                       ", que difere em: " + joined(found, "; "));
  }
  return messages;
}

std::vector<std::string> relationFileMessages(const SkippedRelations& skipped,
                                              const std::vector<CST>& cstList) {
  std::vector<std::string> messages;
  if (!skipped.declaration.empty()) {
    std::string declaration = skipped.declaration;
    if (declaration.size() > kMaxDeclarationBytes) {
      declaration = declaration.substr(0, kMaxDeclarationBytes) + "...";
    }
    messages.push_back(skipped.file + ":" + std::to_string(skipped.declarationLine) +
                       ": sinal de igual antes do primeiro registro, em " + declaration +
                       ": todos os registros ficam deslocados (tire a declaracao do "
                       "arquivo)");
  }
  if (skipped.count > 0) {
    messages.push_back(skipped.file + ": " + Read::describeSkipped(skipped));
  }
  if (!skipped.unknownTypes.empty()) {
    messages.push_back(describeUnknownTypes(skipped, cstList));
  }
  return messages;
}

}  // namespace sentralign::cli
