#pragma once
// Texts of the CSV edit page that its engine and its window both show.

inline constexpr char16_t kCsvTitleRowFormat[] = u"タイトル行=%d";
inline constexpr char16_t kCsvSelectColumn[] = u"列を指定してください。";
inline constexpr char16_t kCsvOutsideColumns[] =
    u"管理列外の入力は正しく処理できません(%d列以内）\n先にフィールド欄に入力して下さい。";
