#include "days_store.h"

#include "settings/atomic_file.h"
#include "settings/file_lock.h"

#include <chrono>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// A writer holds the lock for one read, change and replace; far less than this even with thousands
// of marks.
constexpr std::chrono::milliseconds LockPatience(3000);

std::string Utf8Text(const fs::path& file) {
    const std::u8string text = file.u8string();
    return std::string(text.begin(), text.end());
}

fs::path LockFileOf(const fs::path& file) {
    fs::path name(".");
    name += file.filename();
    name += ".lock";
    return file.parent_path() / name;
}

} // namespace

fs::path DaysFileBeside(const fs::path& settingsFile) {
    return settingsFile.parent_path() / fs::path(DaysFileName);
}

DaysSnapshot ReadDaysFile(const fs::path& file, const DayRange& range) {
    DaysSnapshot snapshot;
    snapshot.Range = range;
    FileContents contents = ReadWholeFile(file);
    if (contents.State == FileContents::Status::Missing)
        return snapshot;
    if (contents.State == FileContents::Status::Failed) {
        snapshot.State = DaysSnapshot::Status::Unreadable;
        snapshot.Problem = "it cannot be read";
        return snapshot;
    }
    DaysDocument::Parsed parsed = DaysDocument::FromText(std::move(contents.Bytes));
    if (parsed.Document)
        parsed.Problem = parsed.Document->ReadMarks(range);
    if (!parsed.Problem.empty()) {
        snapshot.State = DaysSnapshot::Status::Unreadable;
        snapshot.Problem = std::move(parsed.Problem);
        return snapshot;
    }
    snapshot.State =
        parsed.Document->Text().empty() ? DaysSnapshot::Status::Missing : DaysSnapshot::Status::Read;
    snapshot.Document = std::move(*parsed.Document);
    return snapshot;
}

std::int64_t SystemStampTime() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

DaysStore::DaysStore(fs::path file, StampClock stampClock)
    : file_(std::move(file)), stampClock_(std::move(stampClock)) {}

std::string DaysStore::FileText() const {
    return Utf8Text(file_);
}

DaysStore::LoadStatus DaysStore::Load(const DayRange& range) {
    range_ = range;
    FileContents contents = ReadWholeFile(file_);
    // The same bytes as last time: only the marks newly asked for need reading.
    if (IsReadable() && contents.State == FileContents::Status::Read && !document_.Text().empty() &&
        contents.Bytes == document_.Text()) {
        if (std::string problem = document_.ReadMarks(range); !problem.empty()) {
            BecomeUnreadable(std::move(problem));
            return LoadStatus::Unreadable;
        }
        Show();
        return LoadStatus::Unchanged;
    }
    DaysSnapshot snapshot;
    snapshot.Range = range;
    if (contents.State == FileContents::Status::Failed) {
        snapshot.State = DaysSnapshot::Status::Unreadable;
        snapshot.Problem = "it cannot be read";
    } else if (contents.State == FileContents::Status::Read) {
        DaysDocument::Parsed parsed = DaysDocument::FromText(std::move(contents.Bytes));
        if (parsed.Document)
            parsed.Problem = parsed.Document->ReadMarks(range);
        if (parsed.Problem.empty()) {
            snapshot.State =
                parsed.Document->Text().empty() ? DaysSnapshot::Status::Missing : DaysSnapshot::Status::Read;
            snapshot.Document = std::move(*parsed.Document);
        } else {
            snapshot.State = DaysSnapshot::Status::Unreadable;
            snapshot.Problem = std::move(parsed.Problem);
        }
    }
    return Adopt(std::move(snapshot));
}

DaysStore::LoadStatus DaysStore::Adopt(DaysSnapshot snapshot) {
    range_ = snapshot.Range;
    switch (snapshot.State) {
    case DaysSnapshot::Status::Unreadable:
        BecomeUnreadable(std::move(snapshot.Problem));
        return LoadStatus::Unreadable;
    case DaysSnapshot::Status::Missing:
        document_ = DaysDocument();
        problem_.clear();
        Show();
        return LoadStatus::Missing;
    case DaysSnapshot::Status::Read:
        break;
    }
    document_ = std::move(snapshot.Document);
    problem_.clear();
    Show();
    return LoadStatus::Read;
}

DaysStore::LoadStatus DaysStore::ShowDays(const DayRange& range) {
    if (!IsReadable())
        return LoadStatus::Unreadable;
    if (range.First != range_.First || range.Last != range_.Last) {
        range_ = range;
        if (std::string problem = document_.ReadMarks(range); !problem.empty()) {
            BecomeUnreadable(std::move(problem));
            return LoadStatus::Unreadable;
        }
        Show();
    }
    return document_.Text().empty() ? LoadStatus::Missing : LoadStatus::Unchanged;
}

std::string DaysStore::ProblemMessage() const {
    return "the days file " + FileText() + " cannot be read: " + problem_;
}

const DayMark* DaysStore::MarkOn(TDateTime date) const {
    const auto found = shown_.find(date);
    return found == shown_.end() ? nullptr : &found->second;
}

DaysStore::Outcome DaysStore::SetMark(TDateTime date, const DayMark& mark, char code) {
    if (!IsMarkableDay(date))
        return {Outcome::Status::Refused, "a mark goes on a day from 2021-12-31 to 2100-12-31"};
    DayMark normalized = mark;
    normalized.Note = NormalizedNote(mark.Note);
    if (std::string problem = MarkProblem(normalized); !problem.empty())
        return {Outcome::Status::Refused, std::move(problem)};
    if (std::string reason = MisfitReason(mark.Kind, code); !reason.empty())
        return {Outcome::Status::Refused, std::move(reason)};
    return Change(date, std::move(normalized));
}

DaysStore::Outcome DaysStore::ClearMark(TDateTime date) {
    if (!IsMarkableDay(date))
        return {Outcome::Status::Refused, "a mark goes on a day from 2021-12-31 to 2100-12-31"};
    return Change(date, std::nullopt);
}

DaysStore::Outcome DaysStore::Change(TDateTime date, std::optional<DayMark> mark) {
    if (!IsReadable())
        return {Outcome::Status::Blocked, ProblemMessage()};
    unwritten_.insert_or_assign(date, std::move(mark));
    return WriteUnwritten();
}

DaysStore::Outcome DaysStore::WriteUnwritten() {
    if (unwritten_.empty())
        return {};
    const Outcome notWritten{Outcome::Status::NotWritten, "cannot write " + FileText()};
    std::error_code ignored;
    if (!file_.parent_path().empty())
        fs::create_directories(file_.parent_path(), ignored);
    const std::optional<FileLock> lock = FileLock::Acquire(LockFileOf(file_), LockPatience);
    if (!lock) {
        Show();
        return notWritten;
    }
    // Under the lock nobody else writes: what is read now is what the change goes on top of.
    if (Load(range_) == LoadStatus::Unreadable)
        return {Outcome::Status::NotWritten, ProblemMessage()};
    DaysDocument::Parsed changed = document_.Changed(unwritten_, stampClock_());
    if (!changed.Document) {
        BecomeUnreadable(std::move(changed.Problem));
        return {Outcome::Status::NotWritten, ProblemMessage()};
    }
    if (changed.Document->Text() != document_.Text() &&
        !ReplaceFileAtomically(file_, changed.Document->Text()))
        return notWritten;
    document_ = std::move(*changed.Document);
    unwritten_.clear();
    Show();
    RemoveStaleTemporaryFiles(file_);
    return {};
}

void DaysStore::BecomeUnreadable(std::string problem) {
    problem_ = std::move(problem);
    document_ = DaysDocument();
    Show();
}

void DaysStore::Show() {
    shown_.clear();
    // A reader that moves through the calendar has read many days, and shows a few of them.
    const DayMarks& read = document_.Marks();
    for (auto mark = read.lower_bound(range_.First); mark != read.end() && mark->first <= range_.Last; ++mark)
        shown_.emplace_hint(shown_.end(), mark->first, mark->second);
    for (const auto& [date, mark] : unwritten_) {
        if (mark)
            shown_.insert_or_assign(date, *mark);
        else
            shown_.erase(date);
    }
}
