#pragma once

#include "fb/Database.h"

// The "Database login" prompt a connection shows when it has no password, or once after a
// failed connect: the database name, user name, password and role, OK and Cancel.
class DatabaseLoginDialog : public fb::LoginPrompt {
public:
    bool askLogin(fb::ConnectionParams &params) override;
};
