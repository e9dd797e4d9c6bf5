// Undo by its shortcut while a mouse button is held on I1: the gesture in
// progress belonged to the document undo replaced, so it ends. Found by the
// pointer fuzz target: the repaint of the undo left the document's last
// record in the record buffer, and the release of the interrupted bond drag
// appended a copy of that record instead of anything the user drew.

#include "command_fixture.h"
#include "commands/edit_commands.h"
#include "document/element_kind.h"
#include "editor/full_repaint.h"
#include "document/working_file.h"
#include "editor/pointer.h"

namespace veltrano {
namespace {

using test::Bytes;
using test::recordFileBytes;

class UndoDuringDragTest : public test::CommandTest {
protected:
    // The document before and after one committed bond; sicher1.dat holds
    // the one before.
    void twoDocuments()
    {
        writeDocument({before});
        FullRepaint(editor);
        I1MouseDown(editor, PointerButton::Left, 300, 300);
        I1MouseMove(editor, 360, 300);
        I1MouseUp(editor, PointerButton::Left, 360, 300);
        ASSERT_EQ(document(), recordFileBytes({before, makeRecord(kind::SingleBond, 300, 300, 330, 300)}));
    }

    const ElementRecord before = makeRecord(ElementKind(0), 100, 100, 12, 0);
};

TEST_F(UndoDuringDragTest, TheInterruptedGestureAddsAndMovesNothing)
{
    struct Case {
        const char* name;
        ElementKind tool;
        int pressX, pressY;  // the press of the interrupted gesture
    };
    const Case cases[] = {
        {"bond drag", kind::SingleBond, 500, 500},
        {"arrow drag", kind::StraightArrow, 500, 500},
        {"selection move", kind::SelectTool, 105, 105},
        {"rectangle", kind::SelectTool, 600, 600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        twoDocuments();
        editor.tools.LeftTool = c.tool;
        if (c.tool == kind::SelectTool) {
            // The label is the selection, framed.
            I1MouseDown(editor, PointerButton::Left, 90, 90);
            I1MouseMove(editor, 200, 200);
            I1MouseUp(editor, PointerButton::Left, 200, 200);
            ASSERT_TRUE(editor.editing.SelMarks.isMarked(0));
        }
        I1MouseDown(editor, PointerButton::Left, c.pressX, c.pressY);
        I1MouseMove(editor, c.pressX + 40, c.pressY + 20);
        const Bytes restored = test::fileBytes(editor.workingFile.pathOf(workfile::Snapshot));
        run(Undo1Click);
        ASSERT_EQ(document(), restored);
        EXPECT_FALSE(editor.editing.PressActive);

        QImage repainted = editor.page.copy();
        I1MouseMove(editor, c.pressX + 80, c.pressY + 50);
        I1MouseUp(editor, PointerButton::Left, c.pressX + 80, c.pressY + 50);
        EXPECT_EQ(document(), restored);
        EXPECT_TRUE(editor.page == repainted) << "the dropped gesture drew on the page";
        EXPECT_TRUE(ui.errors.empty());
        editor.tools.LeftTool = kind::SingleBond;
    }
}

TEST_F(UndoDuringDragTest, ANewGestureAfterTheUndoWorksAsAlways)
{
    twoDocuments();
    I1MouseDown(editor, PointerButton::Left, 500, 500);
    I1MouseMove(editor, 560, 500);
    run(Undo1Click);
    I1MouseDown(editor, PointerButton::Left, 700, 700);
    I1MouseMove(editor, 760, 700);
    I1MouseUp(editor, PointerButton::Left, 760, 700);
    EXPECT_EQ(document(), recordFileBytes({before, makeRecord(kind::SingleBond, 700, 700, 730, 700)}));
}

}  // namespace
}  // namespace veltrano
