#pragma once
// The test's stand-in for every modal question and file dialog: records what the program
// showed and answers from queues (Yes / OK and "cancel" when a queue is empty).
#include <QStringList>
#include <deque>
#include <vector>

#include "ui/common/interaction.h"

namespace tessavin::test {

class ScriptedInteraction final : public ui::Interaction {
  public:
    ScriptedInteraction() { ui::SetUserInteraction(this); }
    ~ScriptedInteraction() override { ui::SetUserInteraction(nullptr); }

    int ask(QWidget*, const ui::BoxRequest& request) override {
        boxes.push_back(request);
        if (request.buttons == ui::BoxButtons::Ok) return ui::BoxOk;
        if (answers.empty()) return ui::BoxYes;
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    QString chooseFile(QWidget*, const ui::FileRequest& request) override {
        fileRequests.push_back(request);
        if (files.empty()) return {};
        const QString f = files.front();
        files.pop_front();
        return f;
    }

    QStringList texts() const {
        QStringList t;
        for (const auto& b : boxes)
            t << b.text;
        return t;
    }
    void clear() {
        boxes.clear();
        fileRequests.clear();
    }

    std::deque<int> answers;   // for Yes/No questions
    std::deque<QString> files; // for file dialogs
    std::vector<ui::BoxRequest> boxes;
    std::vector<ui::FileRequest> fileRequests;
};

} // namespace tessavin::test
