#include "platform/WindowControls.h"

#include <QLineEdit>

#include <gtest/gtest.h>

using namespace platform;

namespace {

const QPalette::ColorGroup AllGroups[] = {QPalette::Active, QPalette::Inactive, QPalette::Disabled};

TEST(WindowControls, PaletteColoursHoldInEveryGroupAndLeaveTheOtherRoles)
{
    QLineEdit edit;
    QPalette colours = edit.palette();
    colours.setColor(QPalette::ToolTipBase, QColor(1, 2, 3));
    colours.setColor(QPalette::Button, QColor(4, 5, 6));
    edit.setPalette(colours);

    UseInfoBackground(&edit, {QPalette::Base, QPalette::Window});
    SetTextColor(&edit, QColor(7, 8, 9));
    for (const QPalette::ColorGroup group : AllGroups) {
        EXPECT_EQ(edit.palette().color(group, QPalette::Base), QColor(1, 2, 3)) << group;
        EXPECT_EQ(edit.palette().color(group, QPalette::Window), QColor(1, 2, 3)) << group;
        EXPECT_EQ(edit.palette().color(group, QPalette::WindowText), QColor(7, 8, 9)) << group;
        EXPECT_EQ(edit.palette().color(group, QPalette::Button), QColor(4, 5, 6)) << group;
    }
}

} // namespace
