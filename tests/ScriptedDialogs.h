#pragma once
// A UserDialogs for tests: answers from a script in order and records every
// question, so that a test drives the windows without a user and checks what
// they asked.

#include "app/UserDialogs.h"

#include <QColor>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace telmora {

class ScriptedDialogs final : public UserDialogs {
public:
    // --- the script: queued answers first, in order; then the handler, if set;
    // then the default answer ---
    std::deque<BoxButton> boxAnswers;
    std::deque<std::optional<QString>> fileAnswers;
    std::deque<bool> printAnswers;
    std::deque<CountdownResult> countdownAnswers;
    std::deque<std::optional<QString>> textAnswers;
    std::function<BoxButton(const BoxRequest&)> onBox;
    std::function<std::optional<QString>(const FileDialogRequest&)> onFile;
    std::function<bool(const PrintDialogRequest&)> onPrint;
    std::function<std::optional<QColor>(const QColor& initial)> onColor;

    // --- what was asked ---
    std::vector<BoxRequest> boxes;
    std::vector<FileDialogRequest> files;
    std::vector<PrintDialogRequest> prints;
    std::vector<CountdownRequest> countdowns;
    std::vector<QColor> colors; // the initial colour of each colour question
    std::vector<TextInputRequest> texts;

    // With nothing scripted a box answers OK (its first button), a file or colour
    // dialog is cancelled, printing is cancelled, a notice times out and a text
    // question is cancelled.
    BoxButton showBox(const BoxRequest& request) override {
        boxes.push_back(request);
        if (!boxAnswers.empty())
            return take(boxAnswers);
        if (onBox)
            return onBox(request);
        return request.buttons.empty() ? BoxButton::Ok : request.buttons.front();
    }
    std::optional<QString> chooseFile(const FileDialogRequest& request) override {
        files.push_back(request);
        if (!fileAnswers.empty())
            return take(fileAnswers);
        return onFile ? onFile(request) : std::nullopt;
    }
    bool choosePrinter(const PrintDialogRequest& request) override {
        prints.push_back(request);
        if (!printAnswers.empty())
            return take(printAnswers);
        return onPrint ? onPrint(request) : false;
    }
    std::optional<QColor> pickColor(QWidget*, const QColor& initial) override {
        colors.push_back(initial);
        return onColor ? onColor(initial) : std::nullopt;
    }
    CountdownResult showCountdown(const CountdownRequest& request) override {
        countdowns.push_back(request);
        return countdownAnswers.empty() ? CountdownResult::TimedOut : take(countdownAnswers);
    }

    std::optional<QString> askText(const TextInputRequest& request) override {
        texts.push_back(request);
        return textAnswers.empty() ? std::nullopt : take(textAnswers);
    }

private:
    template <class T> static T take(std::deque<T>& queue) {
        T answer = std::move(queue.front());
        queue.pop_front();
        return answer;
    }
};

} // namespace telmora
