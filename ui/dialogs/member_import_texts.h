#pragma once

// The members import in the user's words: the problems of a row, how the
// file was read, what a column holds and what is wrong with the choices.
#include <QString>

#include "imports/member_columns.h"
#include "imports/member_import.h"

namespace scorvale::ui {

// A problem of a row: what is wrong and what the import does.
QString problemText(const imports::MemberProblem& problem);

// "UTF-8（BOMがあるため）", with the cells read otherwise.
QString encodingText(const imports::MembersFile& file);
// "カンマ（ファイルから判定）"
QString separatorText(const imports::MembersFile& file);
// "メールアドレス", "コメント", ...
QString columnKindText(imports::ColumnKind kind);
QString optionsErrorText(imports::MemberOptionsError::Kind kind);

}  // namespace scorvale::ui
