// The host's dialog engine from hand-made items: what the user's answers do
// to the items (the field's text, check boxes, radio groups, the list), the
// item that closes the dialog, the picture drawn into the transcript, and
// what SendDlgMessage answers a dialog procedure of DialogEx.
#include "qelhost/services/dialog.hpp"
#include "qelhost/services/dialog_services.hpp"
#include "qelhost/services/dialog_view.hpp"
#include "qelhost/platform.hpp"

#include <gtest/gtest.h>

#include <string.h>
#include <sys/mman.h>

#include <deque>

namespace {

// ---- The user's side: answers given in turn, and what each was asked ----

std::deque<Answer> Replies;
std::vector<std::vector<std::string>> OfferedButtons;
std::vector<FieldView> OfferedControls;

Answer Canned(const std::string&, const std::vector<std::string>& Buttons, const FieldView* Field,
              const std::vector<std::string>*) {
    OfferedButtons.push_back(Buttons);
    OfferedControls.push_back(Field != nullptr ? *Field : FieldView{false, "", "", 0, 0, 0});
    Answer Next = Replies.front();
    Replies.pop_front();
    return Next;
}

Answer Closing(Answer::Kind Close, std::vector<EditStep> Edits = {}, std::string Button = "") {
    Answer Reply;
    Reply.Edits = std::move(Edits);
    Reply.Close = Close;
    Reply.ButtonName = std::move(Button);
    return Reply;
}

EditStep Step(EditStep::Kind What, std::string Text = "", int Entry = 0) {
    return EditStep{What, std::move(Text), Entry};
}

DialogItem Item(int Type, int X1, int Y1, int X2, const std::u32string& Text, DWORD Flags = 0,
                int Selected = 0) {
    DialogItem Made;
    Made.Type = Type;
    Made.X1 = X1;
    Made.Y1 = Made.Y2 = Y1;
    Made.X2 = X2;
    Made.Text = Text;
    Made.Flags = Flags;
    Made.Selected = Selected;
    return Made;
}

// A find dialog with one of each kind of control. Its positions:
enum { Frame, Label, Field, Recurse, Links, Up, Down, Any, None, Locked, Choices, Ok, Cancel, Off };
std::vector<DialogItem> FindDialog() {
    std::vector<DialogItem> Items = {
        Item(DI_DOUBLEBOX, 3, 1, 40, U"Find"),
        Item(DI_TEXT, 5, 2, 0, U"&Name:"),
        Item(DI_EDIT, 12, 2, 30, U"old"),
        Item(DI_CHECKBOX, 5, 3, 0, U"&Recurse", 0, 1),
        Item(DI_CHECKBOX, 20, 3, 0, U"Lin&ks", DIF_3STATE),
        Item(DI_RADIOBUTTON, 5, 4, 0, U"&Up", DIF_GROUP, 1),
        Item(DI_RADIOBUTTON, 12, 4, 0, U"Down"),
        Item(DI_RADIOBUTTON, 21, 4, 0, U"Any", DIF_GROUP, 1),
        Item(DI_RADIOBUTTON, 29, 4, 0, U"None"),
        Item(DI_CHECKBOX, 5, 5, 0, U"Locked", DIF_DISABLE),
        Item(DI_LISTBOX, 5, 6, 20, U""),
        Item(DI_BUTTON, 0, 8, 0, U"&Ok", DIF_CENTERGROUP),
        Item(DI_BUTTON, 0, 8, 0, U"Cancel", DIF_CENTERGROUP),
        Item(DI_BUTTON, 0, 8, 0, U"Off", DIF_CENTERGROUP | DIF_DISABLE),
    };
    Items[Frame].Y2 = 9;
    Items[Choices].Y2 = 7;
    Items[Choices].List = {U"first", U"second", U"third"};
    Items[Choices].ListFlags = {0, 0, 0};
    Items[Ok].Default = true;
    return Items;
}

struct Outcome {
    int Closed = 0;
    int Edited = 0;
    std::vector<DialogItem> Items;
    std::string Transcript;
};

Outcome RunDialog(std::vector<DialogItem> Items, std::vector<Answer> Answers, int Width = 44,
                  int Height = 11) {
    Replies.assign(Answers.begin(), Answers.end());
    OfferedButtons.clear();
    OfferedControls.clear();
    Outcome Result;
    testing::internal::CaptureStdout();
    Result.Closed = RunHostDialog(-1, -1, Width, Height, Items, Result.Edited, Canned);
    Result.Transcript = testing::internal::GetCapturedStdout();
    Result.Items = Items;
    return Result;
}

std::vector<int> States(const std::vector<DialogItem>& Items) {
    std::vector<int> Result;
    for (int I = Recurse; I <= Locked; ++I)
        Result.push_back(Items[I].Selected);
    return Result;
}

} // namespace

TEST(DialogAnswers, ChangeTheItemsAndCloseByTheirButton) {
    const std::string Long(DialogTextSize + 40, 'x');
    struct Case {
        const char* Name;
        Answer Reply;
        int Closed, Edited;
        std::u32string Text;
        // Recurse, Links, Up, Down, Any, None, Locked
        std::vector<int> States;
        int ListPos;
    } Cases[] = {
        {"typing replaces the selected text",
         Closing(Answer::PressEnter, {Step(EditStep::Type, "new")}),
         Ok,
         Field,
         U"new",
         {1, 0, 1, 0, 1, 0, 0},
         0},
        {"End first keeps it",
         Closing(Answer::PressEnter, {Step(EditStep::Append, "er")}),
         Ok,
         Field,
         U"older",
         {1, 0, 1, 0, 1, 0, 0},
         0},
        {"a second typing goes at the end",
         Closing(Answer::PressEnter, {Step(EditStep::Type, "a"), Step(EditStep::Type, "b")}),
         Ok,
         Field,
         U"ab",
         {1, 0, 1, 0, 1, 0, 0},
         0},
        {"cleared, then typed",
         Closing(Answer::PressEnter, {Step(EditStep::Clear), Step(EditStep::Type, "x")}),
         Ok,
         Field,
         U"x",
         {1, 0, 1, 0, 1, 0, 0},
         0},
        {"text cut to the record's buffer",
         Closing(Answer::PressEnter, {Step(EditStep::Type, Long)}),
         Ok,
         Field,
         std::u32string(DialogTextSize - 1, U'x'),
         {1, 0, 1, 0, 1, 0, 0},
         0},
        {"check boxes toggle, the third state too",
         Closing(Answer::PressEnter, {Step(EditStep::Check, "", 1), Step(EditStep::Check, "", 2),
                                      Step(EditStep::Check, "", 2)}),
         Ok,
         -1,
         U"old",
         {0, 2, 1, 0, 1, 0, 0},
         0},
        {"a 2-state box never reaches the third",
         Closing(Answer::PressEnter, {Step(EditStep::Check, "", 1), Step(EditStep::Check, "", 1)}),
         Ok,
         -1,
         U"old",
         {1, 0, 1, 0, 1, 0, 0},
         0},
        {"a radio button clears its own group only",
         Closing(Answer::PressEnter, {Step(EditStep::Radio, "", 2)}),
         Ok,
         -1,
         U"old",
         {1, 0, 0, 1, 1, 0, 0},
         0},
        {"the second group's",
         Closing(Answer::PressEnter, {Step(EditStep::Radio, "", 4)}),
         Ok,
         -1,
         U"old",
         {1, 0, 1, 0, 0, 1, 0},
         0},
        {"the chosen radio button stays chosen",
         Closing(Answer::PressEnter, {Step(EditStep::Radio, "", 1)}),
         Ok,
         -1,
         U"old",
         {1, 0, 1, 0, 1, 0, 0},
         0},
        {"a disabled check box is not reached",
         Closing(Answer::PressEnter, {Step(EditStep::Check, "", 3)}),
         Ok,
         -1,
         U"old",
         {1, 0, 1, 0, 1, 0, 0},
         0},
        {"a list item picked",
         Closing(Answer::PressEnter, {Step(EditStep::ListItem, "", 3)}),
         Ok,
         -1,
         U"old",
         {1, 0, 1, 0, 1, 0, 0},
         2},
        {"a button by its label, any case",
         Closing(Answer::PressButton, {}, "cancel"),
         Cancel,
         -1,
         U"old",
         {1, 0, 1, 0, 1, 0, 0},
         0},
        {"a button by its number",
         Closing(Answer::PressButton, {}, "2"),
         Cancel,
         -1,
         U"old",
         {1, 0, 1, 0, 1, 0, 0},
         0},
        {"Esc after an edit",
         Closing(Answer::PressEsc, {Step(EditStep::Type, "gone")}),
         PressedEsc,
         Field,
         U"gone",
         {1, 0, 1, 0, 1, 0, 0},
         0},
    };
    for (const Case& C : Cases) {
        Outcome Result = RunDialog(FindDialog(), {C.Reply});
        EXPECT_EQ(Result.Closed, C.Closed) << C.Name;
        EXPECT_EQ(Result.Edited, C.Edited) << C.Name;
        EXPECT_EQ(Result.Items[Field].Text, C.Text) << C.Name;
        EXPECT_EQ(States(Result.Items), C.States) << C.Name;
        EXPECT_EQ(Result.Items[Choices].ListPos, C.ListPos) << C.Name;
    }
}

TEST(DialogAnswers, OfferOnlyWhatCanBeReached) {
    Outcome Result = RunDialog(FindDialog(), {Closing(Answer::PressEsc)});
    ASSERT_EQ(OfferedButtons.size(), 1u);
    // A disabled button has no face to choose by: neither its label nor its
    // number finds it.
    EXPECT_EQ(OfferedButtons[0], (std::vector<std::string>{"{ Ok }", "[ Cancel ]", ""}));
    EXPECT_LT(FindButton("Off", OfferedButtons[0]), 0);
    EXPECT_LT(FindButton("3", OfferedButtons[0]), 0);
    const FieldView& Controls = OfferedControls[0];
    EXPECT_TRUE(Controls.HasField);
    EXPECT_EQ(Controls.Text, "old");
    EXPECT_EQ(Controls.CheckBoxes, 3);
    EXPECT_EQ(Controls.RadioButtons, 4);
    EXPECT_EQ(Controls.ListItems, 3);
    EXPECT_EQ(Controls.ListItemsBarred, (std::vector<std::string>{"", "", ""}));
}

// The cursor never stops on a list's separator or disabled item: the answer
// is told which cannot be chosen, and why.
TEST(DialogAnswers, ASeparatorOrDisabledListItemIsBarred) {
    struct Case {
        const char* Name;
        int Type;
        DWORD Flags; // of the list's second item
        const char* Why;
    } Cases[] = {
        {"a plain item", DI_LISTBOX, 0, ""},
        {"the chosen item", DI_LISTBOX, LIF_SELECTED, ""},
        {"a separator", DI_LISTBOX, LIF_SEPARATOR, "list item 2 is a separator"},
        {"a disabled item", DI_LISTBOX, LIF_DISABLE, "list item 2 is disabled"},
        {"a disabled separator", DI_LISTBOX, LIF_SEPARATOR | LIF_DISABLE,
         "list item 2 is a separator"},
        {"a combo box's separator", DI_COMBOBOX, LIF_SEPARATOR, "list item 2 is a separator"},
        {"a combo box's disabled item", DI_COMBOBOX, LIF_DISABLE, "list item 2 is disabled"},
    };
    for (const Case& C : Cases) {
        std::vector<DialogItem> Items = {Item(C.Type, 1, 1, 20, U"")};
        Items[0].List = {U"one", U"two", U"three"};
        Items[0].ListFlags = {0, C.Flags, 0};
        RunDialog(Items, {Closing(Answer::PressEsc)}, 24, 4);
        ASSERT_EQ(OfferedControls.size(), 1u) << C.Name;
        EXPECT_EQ(BarredListItem(OfferedControls[0], 1), "") << C.Name;
        EXPECT_EQ(BarredListItem(OfferedControls[0], 2), C.Why) << C.Name;
        EXPECT_EQ(BarredListItem(OfferedControls[0], 3), "") << C.Name;
    }
}

TEST(DialogAnswers, EnterWithoutDefaultClosesByTheField) {
    std::vector<DialogItem> Items = {Item(DI_TEXT, 1, 1, 0, U"Name:"), Item(DI_EDIT, 7, 1, 20, U""),
                                     Item(DI_BUTTON, 1, 2, 0, U"Go")};
    EXPECT_EQ(RunDialog(Items, {Closing(Answer::PressEnter)}).Closed, 1);
    // A hidden field is none to type into: the answer is offered no field.
    Items[1].Flags = DIF_HIDDEN;
    RunDialog(Items, {Closing(Answer::PressEsc)});
    EXPECT_FALSE(OfferedControls[0].HasField);
}

TEST(DialogAnswers, TheFocusedFieldIsTheOneTyped) {
    std::vector<DialogItem> Items = {Item(DI_EDIT, 1, 1, 10, U"one"),
                                     Item(DI_EDIT, 1, 2, 10, U"two"),
                                     Item(DI_BUTTON, 1, 3, 0, U"Go")};
    Items[1].Focus = true;
    Outcome Result =
        RunDialog(Items, {Closing(Answer::PressButton, {Step(EditStep::Type, "2")}, "Go")});
    EXPECT_EQ(Result.Edited, 1);
    EXPECT_EQ(Result.Items[0].Text, U"one");
    EXPECT_EQ(Result.Items[1].Text, U"2");
}

// ---- The picture ----

TEST(DialogPicture, ItemsAtTheirPlacesWithoutHotkeyMarkers) {
    std::vector<DialogItem> Items = FindDialog();
    Items[Choices].ListPos = 1;
    std::string Drawn = RunDialog(Items, {Closing(Answer::PressEsc)}).Transcript;
    // The box at its corners, the buttons centred in the dialog's width.
    const char* Expected = "\n"
                           "   ╔═══════════════ Find ═══════════════╗\n"
                           "   ║ Name:  old················         ║\n"
                           "   ║ [x] Recurse    [ ] Links           ║\n"
                           "   ║ (•) Up ( ) Down (•) Any ( ) None   ║\n"
                           "   ║ [ ] Locked                         ║\n"
                           "   ║   first                            ║\n"
                           "   ║ > second                           ║\n"
                           "   ║     { Ok } [ Cancel ] [ Off ]      ║\n"
                           "   ╚════════════════════════════════════╝\n"
                           "\n"
                           "user: presses Esc\n";
    EXPECT_EQ(Drawn, Expected);
}

TEST(DialogPicture, EachKindOfItemShowsItsFace) {
    struct Case {
        const char* Name;
        DialogItem Shown;
        const char* Line; // the dialog's one drawn line
    } Cases[] = {
        {"&& is a literal ampersand", Item(DI_TEXT, 1, 0, 0, U"Save && &quit"), " Save & quit"},
        {"DIF_SHOWAMPERSAND keeps them", Item(DI_TEXT, 1, 0, 0, U"R&D", DIF_SHOWAMPERSAND), " R&D"},
        {"a button's ampersand with DIF_SHOWAMPERSAND",
         Item(DI_BUTTON, 1, 0, 0, U"R&D", DIF_SHOWAMPERSAND), " [ R&D ]"},
        {"a button without brackets", Item(DI_BUTTON, 1, 0, 0, U"&Go", DIF_NOBRACKETS), " Go"},
        {"a password field shows stars", Item(DI_PSWEDIT, 1, 0, 6, U"secret"), " ******"},
        {"a check box's third state", Item(DI_CHECKBOX, 1, 0, 0, U"&Maybe", DIF_3STATE, 2),
         " [?] Maybe"},
        {"a hidden item is not drawn", Item(DI_TEXT, 1, 0, 0, U"ghost", DIF_HIDDEN), ""},
        {"control characters escaped",
         Item(DI_TEXT, 1, 0, 0,
              U"a\x1b"
              U"b"),
         " a\\x1bb"},
        {"a centred text", Item(DI_TEXT, 0, 0, 9, U"mid", DIF_CENTERTEXT), "   mid"},
    };
    for (const Case& C : Cases) {
        Outcome Result = RunDialog({C.Shown}, {Closing(Answer::PressEsc)}, 12, 1);
        EXPECT_EQ(Result.Transcript, std::string(C.Line) + "\nuser: presses Esc\n") << C.Name;
    }
}

TEST(DialogPicture, AHistoryFieldShowsItsArrowAndTakesTheText) {
    std::vector<DialogItem> Items = {Item(DI_EDIT, 0, 0, 4, U""), Item(DI_BUTTON, 0, 1, 0, U"Ok")};
    Items[0].HistoryName = "dialog_engine_test";
    Outcome Result = RunDialog(
        Items, {Closing(Answer::PressButton, {Step(EditStep::Type, "kept")}, "Ok")}, 8, 2);
    EXPECT_EQ(Result.Transcript.rfind("·····↓\n[ Ok ]\n", 0), 0u) << Result.Transcript;
    EXPECT_NE(Result.Transcript.find("host: adds \"kept\" to the history dialog_engine_test\n"),
              std::string::npos)
        << Result.Transcript;
    ASSERT_EQ(OfferedControls.size(), 1u);
    EXPECT_EQ(OfferedControls[0].HistoryName, "dialog_engine_test");
}

TEST(DialogAnswers, ADisabledListOrFieldIsNotChanged) {
    std::vector<DialogItem> Items = FindDialog();
    Items[Field].Flags = DIF_DISABLE;
    Items[Choices].Flags = DIF_DISABLE;
    Outcome Result =
        RunDialog(Items, {Closing(Answer::PressEnter, {Step(EditStep::ListItem, "", 2)})});
    EXPECT_FALSE(OfferedControls[0].HasField);
    EXPECT_EQ(Result.Items[Choices].ListPos, 0);
    EXPECT_NE(Result.Transcript.find("user: cannot reach the list: it is disabled\n"),
              std::string::npos)
        << Result.Transcript;
}

// ---- DialogEx with a procedure of the test's own ----

// The watchdog's alarm, which the procedure's calls through the gate set:
// none goes off here.
uint32_t SetAlarm(uint32_t) {
    return 0;
}

namespace {

enum { Box, Name, Keep, First, Second, Kinds, Copy, Skip };

FarDialogItem Record(int Type, int X1, int Y1, int X2, const char* Text, DWORD Flags = 0) {
    FarDialogItem Made = {};
    Made.Type = Type;
    Made.X1 = X1;
    Made.Y1 = Made.Y2 = Y1;
    Made.X2 = X2;
    Made.Flags = Flags;
    strcpy(Made.Data, Text);
    return Made;
}

// One request of the procedure's and its expected answer.
struct Request {
    const char* Name;
    int Msg, Param1;
    long Param2;
    long Expected;
};

char TextBuffer[16];
FarDialogItemData ShortRead = {3, TextBuffer};
FarListPos Third = {2, 0};
std::vector<long> Answered;
int CloseRefusals = 0; // DN_CLOSE refused this many times more

const Request Requests[] = {
    {"the field's length", DM_GETTEXTLENGTH, Name, 0, 4},
    {"a new text, its length", DM_SETTEXTPTR, Name, reinterpret_cast<long>("renamed"), 7},
    {"a read cut to the buffer's length", DM_GETTEXT, Name, reinterpret_cast<long>(&ShortRead), 3},
    {"the second radio button chosen, was not", DM_SETCHECK, Second, BSTATE_CHECKED, 0},
    {"which clears the first", DM_GETCHECK, First, 0, 0},
    {"a check box toggled", DM_SETCHECK, Keep, BSTATE_TOGGLE, 0},
    {"now checked", DM_GETCHECK, Keep, 0, 1},
    {"the combo box's third item", DM_LISTSETCURPOS, Kinds, reinterpret_cast<long>(&Third), 2},
    {"an item added, its position", DM_LISTADDSTR, Kinds, reinterpret_cast<long>("four"), 3},
    {"a button disabled, was enabled", DM_ENABLE, Skip, 0, 1},
    {"the dialog's data", DM_GETDLGDATA, 0, 0, 77},
    {"the focus moved", DM_SETFOCUS, Keep, 0, 1},
    {"where it is", DM_GETFOCUS, 0, 0, Keep},
    {"an item that is not there", DM_GETCHECK, 99, 0, 0},
    {"the plugin's own message", DM_USER + 5, 0, 0, 1234},
};

// The gate keeps the plugin's 4-byte stack alignment: compiled as qelhost
// is, the procedure realigns its stack as a service does.
PLUGIN_STDCALL long Procedure(HANDLE Dialog, int Msg, int Param1, long Param2) {
    if (Msg == DN_INITDIALOG)
        for (const Request& R : Requests)
            Answered.push_back(SendDlgMessage(Dialog, R.Msg, R.Param1, R.Param2));
    if (Msg == DM_USER + 5)
        return 1234;
    if (Msg == DN_CLOSE && CloseRefusals > 0) {
        --CloseRefusals;
        return FALSE;
    }
    return DefDlgProc(Dialog, Msg, Param1, Param2);
}

} // namespace

TEST(DialogEx, AProceduresRequestsAndWhatGoesBackIntoTheRecords) {
    FarDialogItem Records[] = {Record(DI_DOUBLEBOX, 3, 1, 30, "Copy"),
                               Record(DI_EDIT, 5, 2, 28, "name"),
                               Record(DI_CHECKBOX, 5, 3, 0, "&Keep"),
                               Record(DI_RADIOBUTTON, 5, 4, 0, "A", DIF_GROUP),
                               Record(DI_RADIOBUTTON, 12, 4, 0, "B"),
                               Record(DI_COMBOBOX, 5, 5, 20, ""),
                               Record(DI_BUTTON, 0, 6, 0, "&Copy", DIF_CENTERGROUP),
                               Record(DI_BUTTON, 0, 6, 0, "Skip", DIF_CENTERGROUP)};
    Records[Box].Y2 = 7;
    Records[First].Selected = 1;
    Records[Copy].DefaultButton = 1;
    FarListItem Entries[3] = {};
    strcpy(Entries[0].Text, "one");
    strcpy(Entries[1].Text, "two");
    strcpy(Entries[2].Text, "three");
    FarList KindList = {3, Entries};
    Records[Kinds].History = reinterpret_cast<const char*>(&KindList);
    Replies = {Closing(Answer::PressButton, {Step(EditStep::Type, "typed")}, "Copy"),
               Closing(Answer::PressEnter)};
    OfferedButtons.clear();
    Answered.clear();
    CloseRefusals = 1;
    UseDialogAnswers(Canned);
    testing::internal::CaptureStdout();
    int Closed = DialogEx(0, -1, -1, 34, 9, nullptr, Records, 8, 0, 0, Procedure, 77);
    std::string Transcript = testing::internal::GetCapturedStdout();

    ASSERT_EQ(Answered.size(), std::size(Requests));
    for (size_t I = 0; I < Answered.size(); ++I)
        EXPECT_EQ(Answered[I], Requests[I].Expected) << Requests[I].Name;
    EXPECT_STREQ(TextBuffer, "ren");
    EXPECT_EQ(ShortRead.PtrLength, 3);
    // DN_CLOSE refused once: the dialog asked again, and Enter pressed the
    // default button; the disabled one was offered to neither.
    EXPECT_EQ(Closed, Copy);
    EXPECT_TRUE(Replies.empty());
    ASSERT_EQ(OfferedButtons.size(), 2u);
    EXPECT_EQ(OfferedButtons[1], (std::vector<std::string>{"{ Copy }", ""}));
    EXPECT_NE(Transcript.find("host: the dialog procedure refuses to close the dialog\n"),
              std::string::npos)
        << Transcript;
    // The records hold what the user and the procedure left.
    EXPECT_STREQ(Records[Name].Data, "typed");
    EXPECT_STREQ(Records[Kinds].Data, "three");
    EXPECT_EQ(Records[Keep].Selected, 1);
    EXPECT_EQ(Records[First].Selected, 0);
    EXPECT_EQ(Records[Second].Selected, 1);
}

// What the Dialog service does: the records read, the dialog run, and what
// the user left written back, a combo box's chosen text too.
TEST(DialogRecords, WhatTheUserLeftGoesBack) {
    FarDialogItem Records[] = {Record(DI_EDIT, 1, 1, 20, "kept"), Record(DI_COMBOBOX, 1, 2, 20, ""),
                               Record(DI_CHECKBOX, 1, 3, 0, "Sure"),
                               Record(DI_BUTTON, 1, 4, 0, "Ok")};
    FarListItem Entries[2] = {};
    strcpy(Entries[0].Text, "one");
    strcpy(Entries[1].Text, "two");
    FarList Choices = {2, Entries};
    Records[1].History = reinterpret_cast<const char*>(&Choices);
    std::vector<DialogItem> Items = ReadDialogItems(Records, 4);
    Outcome Result = RunDialog(
        Items, {Closing(Answer::PressButton,
                        {Step(EditStep::ListItem, "", 2), Step(EditStep::Check, "", 1)}, "Ok")});
    WriteDialogBack(Records, Result.Items);
    EXPECT_EQ(Result.Closed, 3);
    EXPECT_STREQ(Records[0].Data, "kept");
    EXPECT_STREQ(Records[1].Data, "two");
    EXPECT_EQ(Records[2].Selected, 1);
}

// Records the plugin made unwritable while its dialog ran stop the run
// naming the service that writes them back, not the last one that read an
// item (SendDlgMessage's DM_SETDLGITEM reads through the same code).
TEST(DialogRecordsDeathTest, AnUnwritableRecordNamesTheServiceWritingBack) {
    FarDialogItem Writable[] = {Record(DI_EDIT, 1, 1, 20, "text")};
    std::vector<DialogItem> Items = ReadDialogItems(Writable, 1, "SendDlgMessage");
    auto Page = static_cast<FarDialogItem*>(
        mmap(nullptr, sizeof Writable, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(Page, MAP_FAILED);
    memcpy(Page, Writable, sizeof Writable);
    ASSERT_EQ(mprotect(Page, sizeof Writable, PROT_READ), 0);
    EXPECT_EXIT(WriteDialogBack(Page, Items, "DialogEx"), testing::ExitedWithCode(3),
                "qelhost: DialogEx: item 1 cannot be written");
    munmap(Page, sizeof Writable);
}
