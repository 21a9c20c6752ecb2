#pragma once

#include <QByteArray>
#include <optional>
#include <span>

// The command numbers that travel over the command pipe, and the actions that send them.
struct CommandAction {
    const char *name;     // the action's name; its handler is the name with "Execute" appended
    const char *category; // "" when the action has none
    const char *caption;
    int number;
};

// Every action of the main window's action list, in command-number order.
std::span<const CommandAction> commandActions();

// The numbers that host a view here; every other number changes nothing but the menu state.
enum CommandNumber : int {
    HomeViewCommand = 0,
    FeeRawatCommand = 1,
    PemakaiCommand = 2,
    PuskesmasCommand = 3,
    DokterCommand = 4,
    PoliCommand = 5,
};

// A pipe message converted to its command number: the whole message is the decimal text
// (surrounding blanks and a sign accepted). Anything else, the empty message included,
// converts to nothing.
std::optional<int> commandNumberFromMessage(const QByteArray &message);

// The message SendCommand writes for a number: its plain decimal digits, no terminator.
QByteArray commandMessage(int number);
