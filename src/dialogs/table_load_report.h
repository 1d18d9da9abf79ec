#pragma once
// What the user is told when a table file does not go into the grid exactly as it stands: more
// values than the table holds, values the analysis cannot take, a tail too short for a value.
// One message for all of it.

#include <functional>
#include <string>
#include <vector>

#include "dialogs/table_files.h"

inline const std::string kTableLoadedWithChangesMessage = "Файл прочитан с изменениями";

// The message about a file read into a table of capacity values, or "" when every value went
// in as stored. entry_name names a value by its index as the grid's header does ("x(3)").
std::string TableLoadReport(const std::string& path, const TableFileRead& read,
                            const std::vector<ReplacedValue>& replaced, int capacity,
                            const std::function<std::string(int index)>& entry_name);
