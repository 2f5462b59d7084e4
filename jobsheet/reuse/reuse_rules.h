#pragma once
// Rules of the reusable jobs that need no window: comparing command texts, proposing
// and checking job names, and the editor's duplicate test.

#include <functional>
#include <utility>
#include <vector>

#include "platform/cstring.h"

// Cuts text at every ";": each piece before a ";" is a token (empty ones too); the
// rest after the last ";" only when not empty. "a;;b" gives a, "", b; "a;b;" gives
// a, b; "" gives none. Returns the number of tokens.
int SplitCommandTokens(std::vector<CString>& tokens, const CString& text);

// True when the two command texts differ as multisets of tokens (order does not
// count, repetitions do), however many tokens they hold.
bool CommandTokensDiffer(const CString& a, const CString& b);

// A job name is also part of a file name: not empty, not "." or "..", and without
// / \ : * ? " < > | or control characters.
bool IsValidJobName(const CString& name);
inline constexpr char16_t kEmptyJobNameMessage[] = u"ジョブ名を登録してください。";
inline constexpr char16_t kInvalidJobNameMessage[] =
    u"ジョブ名に次の文字は使用できません。\n/ \\ : * ? \" < > |";
// A name whose data-edit settings file name passes the system's limit
// (EditSettingsNameFits): its tools could not be saved.
inline constexpr char16_t kLongJobNameMessage[] =
    u"ジョブ名が長すぎます。CSVファイル名とジョブ名を合わせて短くしてください。";

// The first free name among base, "base_1", "base_2", ... where taken() says which
// are used. Characters a job name may not hold become "_" in base first.
CString ProposeJobName(const CString& base, const std::function<bool(const CString&)>& taken);

// The editor's duplicate test over (base name, job name) pairs: the first pair that
// occurs twice, in base-name then job-name order; -1 when every pair is unique.
int FindDuplicateJobName(const std::vector<std::pair<CString, CString>>& pairs);

// True when two different jobs (base name, job name) would keep their tools in one
// settings file: "a_b" with "c" and "a" with "b_c" both make "a_b_c.txt", and
// saving one would overwrite the other's tools.
bool SharesSettingsFile(const std::pair<CString, CString>& a, const std::pair<CString, CString>& b);

// The editor's test for such jobs: the pair of indexes of the first two pairs
// that share a settings file, or {-1, -1}.
std::pair<int, int> FindSharedSettingsFile(const std::vector<std::pair<CString, CString>>& pairs);

inline constexpr char16_t kSharedSettingsFileFormat[] =
    u"CSVファイル[%s]のジョブ名[%s]は、CSVファイル[%s]のジョブ名[%s]と同じ設定ファイルになります。"
    u"ジョブ名を変えてください";

// Stable order of the pairs by base name, then job name (UTF-16 code units).
std::vector<int> SortJobPairs(const std::vector<std::pair<CString, CString>>& pairs);
