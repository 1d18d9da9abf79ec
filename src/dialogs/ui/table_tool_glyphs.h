#pragma once
// The pictures on the table editor's tool buttons, drawn rather than loaded.

#include <QIcon>

enum class TableGlyph { Process, Open, Save, Export, NewTable, InsertCell, DeleteCell, Close };

QIcon TableToolGlyph(TableGlyph glyph);
