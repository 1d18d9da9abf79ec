#include "session/russian_usage.h"

#include <cerrno>
#include <regex>
#include <utility>
#include <vector>

namespace {

// "--wp, --fp and --transition" as a project names them: "wp, fp и transition".
std::string Keys(std::string text) {
  const std::pair<std::regex, const char*> words[] = {
      {std::regex("--"), ""}, {std::regex(" and "), " и "}, {std::regex(" or "), " или "}};
  for (const auto& [word, russian] : words) text = std::regex_replace(text, word, russian);
  return text;
}

struct Translation {
  std::regex english;
  // The Russian, with $1, $2 … for the groups; keys marks the groups that list options.
  std::string russian;
  bool keys = false;
};

const std::vector<Translation>& Translations() {
  static const std::vector<Translation> translations = {
      {std::regex("^option --([\\w-]+): '(.*)' is out of range$"), "$1: значение «$2» вне допустимых пределов"},
      {std::regex("^option --([\\w-]+): '(.*)' is not a number$"), "$1: «$2» — не число"},
      {std::regex("^option --([\\w-]+): '(.*)' is not a whole number$"), "$1: «$2» — не целое число"},
      {std::regex("^option --([\\w-]+): a table holds at most (\\d+) values, (\\d+) given$"),
       "$1: в таблице не больше $2 значений, а дано $3"},
      {std::regex("^option --([\\w-]+): (.*) is not one of (.*)$"), "$1: $2 — не одно из значений $3"},
      {std::regex("^option --([\\w-]+) must not be negative$"), "$1: значение не может быть отрицательным"},
      {std::regex("^option --([\\w-]+) must be at least (\\d+)$"), "$1: значение должно быть не меньше $2"},
      {std::regex("^option --oscillations: use 1, 2 or 12$"), "oscillations: укажите \"1\", \"2\" или \"12\""},
      {std::regex("^option --([\\w-]+): use (.*)$"), "$1: укажите $2", true},
      {std::regex("^option --measure takes two levels: PASS,STOP$"),
       "measure: нужны два уровня, полосы пропускания и полосы подавления"},
      {std::regex("^choose one filter: (.*)$"), "выберите один фильтр: $1", true},
      {std::regex("^choose one signal: (.*)$"), "выберите один сигнал: $1", true},
      {std::regex("^choose one window: (.*)$"), "выберите одно окно: $1", true},
      {std::regex("^--([\\w-]+) belongs to a library design$"), "$1 задаётся только для фильтра из библиотеки"},
      {std::regex("^--transition belongs to --butterworth or --chebyshev, or to the Kaiser window$"),
       "transition задаётся только для butterworth и chebyshev или для окна Кайзера (kaiser, attenuation-db)"},
      {std::regex("^give either --transition \\(automatic order\\) or --order, not both$"),
       "задайте либо transition (порядок подбирается), либо order, но не оба"},
      {std::regex("^a quantity is given twice \\(for instance --wp and --fp\\)$"),
       "величина задана дважды (например, wp и fp)"},
      {std::regex("^(--[\\w-]+) belongs to (.*)$"), "$1 задаётся только вместе с $2", true},
      {std::regex("^(.*) belong to (.*)$"), "$1 задаются только вместе с $2", true},
      {std::regex("^--measure needs --afc 2 or --afc 3$"), "measure задаётся только при afc = 2 или afc = 3"},
      {std::regex("^--measure: the pass-band level is not in its list:(.*)$"),
       "measure: такого уровня полосы пропускания нет в списке:$1"},
      {std::regex("^--measure: the stop-band level is not in its list:(.*)$"),
       "measure: такого уровня полосы подавления нет в списке:$1"},
      {std::regex("^the non-recursive coefficients are all 0$"), "все коэффициенты нерекурсивной части равны 0"},
      {std::regex("^decimation (\\d+) is not offered for these frequencies \\(at most (\\d+)\\)$"),
       "прореживание $1 не предлагается для этих частот (не больше $2)"},
      {std::regex("^cannot read the table file '(.*)'$"), "не удаётся прочитать файл таблицы «$1»"},
  };
  return translations;
}

}  // namespace

std::string RussianUsageText(const std::string& text) {
  for (const Translation& t : Translations()) {
    std::smatch match;
    if (!std::regex_match(text, match, t.english)) continue;
    const std::string russian = match.format(t.russian);
    return t.keys ? Keys(russian) : russian;
  }
  return text;
}

std::string FileErrorInRussian(int error) {
  switch (error) {
    case ENOENT: return "его нет";
    case EACCES:
    case EPERM: return "нет прав доступа";
    case ENOTDIR: return "часть пути — не папка";
    case EISDIR: return "это папка";
    case ENOSPC: return "нет места на диске";
    case EROFS: return "диск только для чтения";
    default: return "ошибка " + std::to_string(error);
  }
}
