// The display model between the polling thread and the window: latest value
// wins for properties, every alarm-row operation arrives in order.
#include <gtest/gtest.h>

#include <thread>

#include "PanelIds.h"
#include "PanelModel.h"
#include "RecordingView.h"

using namespace relvo7::panel;
using relvo7::panel::testing::RecordingView;

TEST(PanelModel, AppliesOnlyTheLatestValueOfEachProperty) {
    PanelModel model;
    RecordingView view;
    for (int i = 0; i < 1000; ++i) model.setText(id::PhaseCurrent1, std::to_string(i));
    model.setPos(id::BarPhaseCurrent1, 7);
    EXPECT_EQ(model.applyTo(view), 2u);
    EXPECT_EQ(view.text(id::PhaseCurrent1), "999");
    EXPECT_EQ(view.positions[id::BarPhaseCurrent1], 7);
    EXPECT_EQ(model.applyTo(view), 0u) << "nothing changed since the last apply";
}

TEST(PanelModel, VisibilityIsOnlyAppliedWhenItChanges) {
    PanelModel model;
    RecordingView view;
    model.setVisible(id::Start, false); // already hidden at start
    model.setVisible(id::MotorPicture, true);
    EXPECT_EQ(model.applyTo(view), 0u);
    model.setVisible(id::Start, true);
    model.applyTo(view);
    model.setVisible(id::Start, true);
    model.applyTo(view);
    EXPECT_EQ(view.visibilityChanges[id::Start], 1);
}

TEST(PanelModel, AlarmRowOperationsKeepTheirOrder) {
    PanelModel model;
    RecordingView view;
    model.insertAlarmRow({3, "a", "", "", ""});
    model.insertAlarmRow({5, "b", "", "", ""});
    model.insertAlarmRow({3, "c", "", "", ""});
    model.deleteAlarmRows(3);
    model.insertAlarmRow({7, "d", "", "", ""});
    model.applyTo(view);
    EXPECT_EQ(view.rowItems(), (std::vector<int>{7, 5}));
    EXPECT_EQ(view.rows, model.alarmRows());
    model.deleteAllAlarmRows();
    model.insertAlarmRow({1, "e", "", "", ""});
    model.applyTo(view);
    EXPECT_EQ(view.rowItems(), (std::vector<int>{1}));
}

// A writer as fast as it can go and a window applying now and then: the view
// ends with exactly the writer's last values and the same rows as the model.
TEST(PanelModel, ConcurrentWriterAndSlowWindowAgree) {
    PanelModel model;
    RecordingView view;
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < 20000; ++i) {
            model.setText(id::PhaseCurrent1, std::to_string(i));
            model.setPos(id::BarPhaseCurrent1, i);
            if (i % 100 == 0) model.insertAlarmRow({i / 100 % 32, std::to_string(i), "", "", ""});
            if (i % 300 == 0) model.deleteAlarmRows(i / 100 % 32);
        }
        done = true;
    });
    int applies = 0;
    while (!done.load() && applies < 100000) {
        model.applyTo(view);
        ++applies;
        std::this_thread::yield();
    }
    writer.join();
    model.applyTo(view);
    EXPECT_EQ(view.text(id::PhaseCurrent1), "19999");
    EXPECT_EQ(view.positions[id::BarPhaseCurrent1], 19999);
    EXPECT_EQ(view.rows, model.alarmRows());
}
