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
    std::deque<std::optional<qint64>> numberAnswers;
    std::deque<bool> pageSetupAnswers;
    // A program dialog: the handler may fill it in; it answers whether the user
    // accepted it (nothing scripted: cancelled).
    std::function<bool(QDialog&)> onDialog;
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
    std::vector<NumberInputRequest> numbers;
    std::vector<QPrinter*> pageSetups; // the printer of each page-setup question
    std::vector<QString> colorTitles;  // the caption of each colour question
    std::vector<QDialog*> dialogs;     // each program dialog shown

    // With nothing scripted a box answers OK (its first button), a file or colour
    // dialog is cancelled, printing and page setup are cancelled, a notice times
    // out and a text or number question and a program dialog are cancelled.
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
    bool setUpPage(QWidget*, QPrinter& printer) override {
        pageSetups.push_back(&printer);
        return pageSetupAnswers.empty() ? false : take(pageSetupAnswers);
    }
    std::optional<QColor> pickColor(QWidget*, const QColor& initial,
                                    const QString& title) override {
        colors.push_back(initial);
        colorTitles.push_back(title);
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
    std::optional<qint64> askNumber(const NumberInputRequest& request) override {
        numbers.push_back(request);
        return numberAnswers.empty() ? std::nullopt : take(numberAnswers);
    }
    bool runDialog(QDialog& dialog) override {
        dialogs.push_back(&dialog);
        return onDialog ? onDialog(dialog) : false;
    }

private:
    template <class T> static T take(std::deque<T>& queue) {
        T answer = std::move(queue.front());
        queue.pop_front();
        return answer;
    }
};

} // namespace telmora
