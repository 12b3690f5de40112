#pragma once

// Dialog data exchange: moving values between a window's fields and its
// controls. A window's DoDataExchange lists its entries in order, one call
// each; UpdateData runs the list in one direction:
//   - saveAndValidate FALSE: each field is shown in its control;
//   - saveAndValidate TRUE: each control is read into its field.
// A refused entry (text that is not a number, or a number outside the
// entry's range) shows the standard prompt,
// puts the focus on that control and stops the exchange: the entries before
// it have been exchanged, it and every later entry keep their values
// (later DDX calls of the same exchange do nothing). UpdateData then
// returns FALSE.

#include <string>

#include "platform/ui/core/ui_types.h"
#include "platform/ui/windows/data_exchange_pass.h"

class CWnd;

// The prompt for an edit box whose text is not a number; its caption is the
// application's name.
inline constexpr const char* kEnterNumberPrompt = "Please enter a number.";

inline constexpr const char* kEnterIntegerPrompt = "Please enter an integer.";

// A trackbar's position and an integer field. Showing clamps to the
// trackbar's current range (the field keeps its value).
void DDX_Slider(CDataExchange* exchange, int controlId, int& value);
// An edit box's text and a float field: shown as FormatFloatForEdit writes
// it (the text reads back to the field bit for bit); read back only when the
// text is a finite number (number_text.h), else refused with
// kEnterNumberPrompt.
void DDX_Text(CDataExchange* exchange, int controlId, float& value);
// The same with a range: a number below minimum or above maximum is refused
// with RangePrompt(minimum, maximum); one inside is stored as read.
void DDX_Text(CDataExchange* exchange, int controlId, float& value, float minimum, float maximum);
// "Please enter a number between -10 and 10.": the prompt for a number out
// of range, its bounds shown as the edit boxes show numbers.
std::string RangePrompt(float minimum, float maximum);
// An edit box's text and a string field, unchanged both ways.
void DDX_Text(CDataExchange* exchange, int controlId, std::string& value);
// An edit box and a whole-number field from minimum to maximum, both
// included; other text is refused with the integer prompts.
void DDX_Text(CDataExchange* exchange, int controlId, int& value, int minimum, int maximum);
// Binds control to the dialog's child controlId on the first exchange that
// reaches it (the object takes the control over; see CWnd::SubclassDlgItem);
// later exchanges leave a bound control alone.
void DDX_Control(CDataExchange* exchange, int controlId, CWnd& control);
