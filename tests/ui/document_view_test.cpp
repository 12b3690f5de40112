// Documents and views: who hears of a change, views leaving documents,
// reading a document, and the standard command line.

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "platform/ui/docview/command_line_info.h"
#include "platform/ui/docview/create_context.h"
#include "platform/ui/docview/document.h"
#include "platform/ui/resources/resource_table.h"
#include "platform/ui/docview/view.h"
#include "platform/ui/docview/win_app.h"
#include "ui_test_support.h"

namespace {

class NoteView : public CView {
public:
    void OnUpdate(CView* sender, LPARAM hint, CObject*) override {
        updates.push_back({sender, hint});
    }
    struct Update {
        CView* sender;
        LPARAM hint;
    };
    std::vector<Update> updates;
};

class CountingDoc : public CDocument {
public:
    void Serialize(CArchive& archive) override {
        ++reads;
        bytes = archive.Bytes().size();
        EXPECT_TRUE(archive.IsLoading());
    }
    int reads = 0;
    std::size_t bytes = 0;
};

class DocumentViewTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        CCreateContext context;
        context.currentDoc = &document;
        for (NoteView& view : views) {
            ASSERT_TRUE(
                view.Create(nullptr, "", WS_CHILD, CRect(0, 0, 10, 10), nullptr, 0, &context));
        }
    }

    CWinApp app{"Quorvane"};
    CountingDoc document;
    NoteView views[3];
};

TEST_F(DocumentViewTest, ViewsJoinTheirContextsDocument) {
    ASSERT_EQ(document.GetViews().size(), 3u);
    EXPECT_EQ(views[1].GetDocument(), &document);
}

TEST_F(DocumentViewTest, UpdateReachesEveryViewButTheSenderInOrder) {
    document.UpdateAllViews(&views[1], 7);
    EXPECT_EQ(views[0].updates.size(), 1u);
    EXPECT_TRUE(views[1].updates.empty());
    ASSERT_EQ(views[2].updates.size(), 1u);
    EXPECT_EQ(views[2].updates[0].sender, &views[1]);
    EXPECT_EQ(views[2].updates[0].hint, 7);
    document.UpdateAllViews(nullptr);
    EXPECT_EQ(views[1].updates.size(), 1u);
}

TEST_F(DocumentViewTest, InitialUpdateIsAnUpdateWithoutSender) {
    views[0].OnInitialUpdate();
    ASSERT_EQ(views[0].updates.size(), 1u);
    EXPECT_EQ(views[0].updates[0].sender, nullptr);
    EXPECT_EQ(views[0].updates[0].hint, 0);
}

TEST_F(DocumentViewTest, DestroyedViewsLeaveTheDocument) {
    views[0].DestroyWindow();
    EXPECT_EQ(views[0].GetDocument(), nullptr);
    document.UpdateAllViews(nullptr);
    EXPECT_TRUE(views[0].updates.empty());
    EXPECT_EQ(document.GetViews().size(), 2u);
}

TEST_F(DocumentViewTest, ADocumentDeletedFirstIsForgottenByItsViews) {
    NoteView view;
    {
        CDocument temporary;
        CCreateContext context;
        context.currentDoc = &temporary;
        ASSERT_TRUE(view.Create(nullptr, "", WS_CHILD, CRect(0, 0, 1, 1), nullptr, 0, &context));
    }
    EXPECT_EQ(view.GetDocument(), nullptr);
    view.DestroyWindow();
}

TEST_F(DocumentViewTest, OpeningReadsTheFileThroughSerialize) {
    const auto path = std::filesystem::temp_directory_path() / "quorvane-ui-document.txt";
    std::ofstream(path) << "twelve bytes";
    EXPECT_TRUE(document.OnOpenDocument(path.string().c_str()));
    EXPECT_EQ(document.reads, 1);
    EXPECT_EQ(document.bytes, 12u);
    std::filesystem::remove(path);
}

TEST_F(DocumentViewTest, AFileThatCannotBeReadIsReportedAndRefused) {
    const auto missing = std::filesystem::temp_directory_path() / "quorvane-ui-no-such-file";
    EXPECT_FALSE(document.OnOpenDocument(missing.string().c_str()));
    EXPECT_FALSE(document.OnOpenDocument(std::filesystem::temp_directory_path().string().c_str()));
    EXPECT_EQ(document.reads, 0);
    ASSERT_EQ(messageBoxes.size(), 2u);
    EXPECT_EQ(messageBoxes[0].caption, "Quorvane");
}

TEST(CommandLineInfo, WithoutArgumentsItIsANewDocument) {
    CWinApp app("Quorvane");
    app.SetCommandLine({"quorvane"});
    CCommandLineInfo info;
    app.ParseCommandLine(info);
    EXPECT_EQ(info.shellCommand, CCommandLineInfo::FileNew);
}

class FlagRecorder : public CCommandLineInfo {
public:
    void ParseParam(const char* param, BOOL flag, BOOL last) override {
        seen.push_back(std::string(flag ? "flag:" : "param:") + param + (last ? "!" : ""));
        CCommandLineInfo::ParseParam(param, flag, last);
    }
    std::vector<std::string> seen;
};

TEST(CommandLineInfo, FlagsLoseTheirDashesAndTheFirstNameIsOpened) {
    CWinApp app("Quorvane");
    app.SetCommandLine({"quorvane", "--headless", "scene.qvd", "-x", "other.qvd", "-"});
    FlagRecorder info;
    app.ParseCommandLine(info);
    EXPECT_EQ(info.seen, (std::vector<std::string>{"flag:headless", "param:scene.qvd", "flag:x",
                                                   "param:other.qvd", "param:-!"}));
    EXPECT_EQ(info.shellCommand, CCommandLineInfo::FileOpen);
    EXPECT_EQ(info.fileName, "scene.qvd");
}

TEST(WinApp, NameComesFromTheStringTableWhenNotGiven) {
    CWinApp unnamed;
    EXPECT_EQ(AfxGetApp(), &unnamed);
    EXPECT_EQ(unnamed.GetAppName(), "");
    AfxResources().AddString(57344, "Quorvane");
    EXPECT_EQ(AfxGetAppName(), "Quorvane");
    AfxResources().Clear();
}

}  // namespace
