#pragma once
// The pictures on the diagram's tool buttons, drawn rather than loaded.

#include <QIcon>

enum class TToolGlyph { Measure, Limits, ReturnLimits, Increase, Save, Copy, HideWhileZooming, Close };

QIcon ToolGlyph(TToolGlyph glyph);
