#pragma once
// Message texts of the join and how they are shown.

#include "platform/cstring.h"

// Refusals of the key join.
inline constexpr char16_t kJoinNoLinks[] =
    u"連携されていないファイルが存在するか、\n連携方法が正しくないため処理できませんでした。";
inline constexpr char16_t kJoinTooManyColumns[] = u"合計の列数が256列以上です。処理ができません。";
inline constexpr char16_t kJoinDuplicateKeys[] = u"キーデータが重複しています\n";
inline constexpr char16_t kJoinDuplicateFirst[] = u" [%s]  %d行, %d行 [%s]";
inline constexpr char16_t kJoinDuplicateMore[] = u"\n       %d行, %d行 [%s]";
inline constexpr char16_t kJoinNeitherUnique[] = u"メインCSVと追加CSVともにユニークがないので処理できません。";
inline constexpr char16_t kJoinBothAddNotUnique[] = u"二つの追加CSVがともにユニークがないので処理できません。";
inline constexpr char16_t kJoinRightJoin[] = u"コード変換ではライトジョインとなる取り込みはできない。";
inline constexpr char16_t kJoinMainAdd1NotUnique[] =
    u"メインCSVと追加CSV1ともユニークがないので処理できません。";
inline constexpr char16_t kJoinMainAdd2NotUnique[] =
    u"メインCSVと追加CSV2ともユニークがないので処理できません。";
inline constexpr char16_t kJoinLinkNotUnique[] =
    u"%d番目の連携は少なくとも一方のキーがユニークでなければならず、処理できません。";
inline constexpr char16_t kJoinTooManyRows[] =
    u"ファイル結合のデータが%dを超えました。これ以上取り込めませんでした。";
// Results of the merge.
inline constexpr char16_t kJoinMismatch[] = u"ミスマッチ\n[メインCSV] \n%s";
inline constexpr char16_t kJoinChainMismatch[] = u"ミスマッチ\n[%s] \n %s";
inline constexpr char16_t kJoinNothingToAdd[] = u"追加するデータがありません";
// The serial join.
inline constexpr char16_t kJoinNoSerialLinks[] = u"連携がないため処理できませんでした。";
// Reading an additional CSV.
inline constexpr char16_t kJoinCannotRead[] = u"追加CSVを読み込めませんでした。\n[%s]";
// Arguments: the path, the line number.
inline constexpr char16_t kJoinLineTooLong[] = u"追加CSVを読み込めません。\n[%s]\n%d行目が長すぎます。";
// Arguments: the path, the line limit, the lines dropped.
inline constexpr char16_t kJoinLinesDropped[] =
    u"追加CSVの行数が上限を超えています。\n[%s]\n%d行を超えた%d行は取り込みませんでした。";

// An error box (icon of an error) with the program's caption.
void ShowJoinError(const CString& text);
// A plain box with the program's caption.
void ShowJoinNotice(const CString& text);
