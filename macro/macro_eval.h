#pragma once
// CMacroEval: evaluation context of the macro expression language.
//
// The language computes one value from one row of a grid. It is read directly
// from the text by a recursive-descent reader that computes a number and a text
// side by side; the first error ends the evaluation with a CMacroError carrying
// the user's message.
//
//   CMacroEval ev;
//   ev.m_RowCells = cells; ev.m_ValueCount = n; ev.m_ColumnNames = &names;
//   double v = ev.Evaluate(u"return [単価]*[数量]", row);
//   switch (ev.ResultKind()) { case MACRO_NUMBER: ... FormatDouble(v) ...
//                              case MACRO_TEXT: ... ev.m_Text ... }
//
// The caller owns the context, sets the row fields before each call and reads
// the result fields afterwards. Texts of any length are read.

#include <string>
#include <string_view>
#include <vector>

#include "grid/grid_set.h"
#include "macro/macro_error.h"
#include "platform/cstring.h"

// Bits of CMacroEval::m_Flags: result kinds and drawing attributes share the
// field, and two values coincide.
enum : int {
  MACRO_NUMBER = 0x1,
  MACRO_TEXT = 0x2,
  MACRO_ATTR_TEXTCOLOR = 0x4,
  MACRO_ATTR_PASTCOLOR = 0x8,
  MACRO_RATIO = 0x10,
  MACRO_ATTR_LINECOLOR = 0x10,
  MACRO_ACCUMU = 0x20,
  MACRO_ATTR_FONTNO = 0x20,
  MACRO_ATTR_FONTSTYLE = 0x40,
  MACRO_ATTR_DRAWITEM = 0x80,
  MACRO_ATTR_ERASEVERTLINE = 0x100,
  MACRO_ATTR_COLMJOIN = 0x200,
  MACRO_ATTR_SETBREAK = 0x400,
  MACRO_ATTR_LINESTYLE = 0x800,
  MACRO_ATTR_LINEWIDTH = 0x1000,
  MACRO_ATTR_DRAWHPOS = 0x2000,
  MACRO_ATTR_STRIKEOUT = 0x4000,
};

class CMacroEval {
 public:
  CMacroEval() = default;
  ~CMacroEval() = default;
  CMacroEval(const CMacroEval&) = delete;
  CMacroEval& operator=(const CMacroEval&) = delete;

  // Evaluates one statement of the language against the row set in the fields:
  //   if <condition> then ... [else if ...] [else ...]
  //   return Ratio([field]) / return Accumu([field])   (share / running total)
  //   [return] <expression>
  // Keywords of this level are matched with ASCII letters folded. Returns the
  // value; the result kind and attribute bits are in m_Flags, a text result or
  // the field name of a share or running-total statement in m_Text. What follows
  // the statement's expression is not read. Throws CMacroError.
  // The number and text state starts afresh on every call (m_Text empty,
  // m_IsNumber 1, m_ForceText 0), so a result never depends on the previous row;
  // the colour values, m_LineStyle, m_DrawHPos, m_StrikeOut and m_DrawText keep
  // what they held. Nesting deeper than kMacroMaxDepth raises kMacroTooDeepMessage.
  double Evaluate(std::u16string_view text, int row);
  double Evaluate(const char16_t* text, int row) {
    return Evaluate(text != nullptr ? std::u16string_view(text) : std::u16string_view(), row);
  }
  double Evaluate(const CString& text, int row) { return Evaluate(text.View(), row); }

  // The result kind of the last evaluation: MACRO_NUMBER, MACRO_TEXT,
  // MACRO_RATIO, MACRO_ACCUMU, or 0 when the statement delivered none. Callers
  // use this rather than testing m_Flags: LineColor and FontNo share the bits
  // of the share and running-total kinds, and only the statements
  // "return Ratio(" and "return Accumu(" give those kinds.
  int ResultKind() const noexcept;

  // The levels of the language (each reads from m_Cursor, returns the value and
  // leaves its text side in m_Text and its numeric flag in m_IsNumber).
  // if level: comparison { ('|' | '&') comparison } [then/else branches]
  double EvalIf();
  // comparison: additive { ('!' | '<' | '=' | '>') ['='] additive ['&' comparison] }
  double EvalCompare();
  // additive: multiplicative { ('+' | '-') ['='] multiplicative ['&' additive] }
  double EvalAdditive();
  // multiplicative: unary { ('*' | '/' | '%') unary }
  double EvalMultiplicative();
  // unary: ["$[" | "#["] ['-'] (field | tag | function | '(' if-level ')' | literal)
  double EvalUnary();
  // literal: quoted text | bare token
  double EvalLiteral();

  // 1-based column of a field name; 0 when there is none. Without m_ColumnNames
  // the names are the title row of m_TitleSource's data grid, over its data columns.
  int FindColumn(std::u16string_view name) const;
  int FindColumn(const CString& name) const { return FindColumn(name.View()); }
  // At the start of a token: false (nothing read) when it is no built-in
  // function, else reads the whole call, stores its value in value and returns true.
  bool CallFunction(double& value);

  // Drawing attributes at the head of a branch. chained false: a word that is no
  // attribute is an error; true: it ends the list. True when one was read.
  bool ParseAttributes(bool chained);
  // One attribute's parenthesised value of the given kind.
  enum class AttrKind { Colour, Number, FontNumber, LineStyle, Strike, DrawText };
  int ParseAttributeValue(AttrKind kind);
  // DrawItem('format', values...) into m_DrawText.
  void ParseDrawText();

  // Fields, in the order of the language's context record.
  const char16_t* m_Cursor = nullptr;  // reading position in the work copy
  int m_Row = 0;                       // the row passed to Evaluate; the language never reads it
  CString m_Text;                      // text side of the current value
  CString m_DrawText;                  // text given with DrawItem
  int m_IsNumber = 1;                  // the current value counts as a number
  int m_ForceText = 0;                 // text has been forced (sticky, see the language)
  const CString* const* m_RowCells = nullptr;    // the row's cells (macro-column step)
  const std::vector<CString>* m_ColumnNames = nullptr;  // index 0 = column 1; null: m_TitleSource
  const CGridSet* m_TitleSource = nullptr;  // its data grid's title row names the fields; null: none
  const char16_t* const* m_RowTexts = nullptr;   // the row's cells as texts (row condition)
  int m_ValueCount = 0;                // cells in whichever row array is set
  int m_Flags = 0;                     // result kind and attribute bits
  int m_TextColor = 0;                 // COLORREF values, red in the low byte
  int m_PastColor = 0;
  int m_LineColor = 0;
  int m_FontNo = 0;                    // font number minus one
  int m_EraseVertLine = 0;
  int m_ColmJoin = 0;
  int m_SetBreak = 0;
  int m_LineStyle = 0;                 // 0 solid, 1 dot, 2 dash, 9 double
  int m_FontStyle = 0;
  int m_LineWidth = 0;
  int m_DrawHPos = 0;
  int m_StrikeOut = 0;

 private:
  // Share and running-total statements.
  double ReadColumnStatement(int kind);
  // Branch body after "then " / "else ": attributes, then "return " or "set(".
  double ReadBranch(double noResult, bool setNeedsParen);
  // Result kind bit of the value just computed.
  int CurrentKind() const noexcept;
  // The current text side read as a plain value (number rule of field texts).
  double PlainValue();
  // Cell text of a field name ("" when not found); for arguments of methods.
  CString CellText(const CString& name) const;
  bool FindCell(std::u16string_view name, CString& cell) const;
  // Field reference, tag and method: each returns the value and leaves its text side.
  double ReadFieldReference();  // cursor after '['
  double ReadTag();             // cursor at '<'
  double ApplyMethod();         // cursor at '.'
  // Method arguments: a field reference at the cursor ('[' name ']'), its cell text.
  CString ReadFieldArgument();

  std::u16string m_Source;  // the text m_Work was made from
  std::u16string m_Work;    // work copy of the text
  // Literals read in the current work copy (EvalLiteral), by where they start.
  struct LiteralRead {
    const char16_t* start;
    const char16_t* end;
    CString text;
    double value;
    int isNumber;
    bool quoted;
  };
  static constexpr size_t kMaxLiteralReads = 16;
  std::vector<LiteralRead> m_Literals;
  int m_Depth = 0;        // nesting of the levels being read
  int m_Statement = 0;    // MACRO_RATIO / MACRO_ACCUMU for those statements
};

// Display position of the first occurrence of pattern in text: the display
// widths (half-width 1, others 2) from the start through the first character of
// the occurrence, minus one; -1 when the pattern does not occur or the text is empty.
int FindDisplayColumn(const CString& text, const CString& pattern);
