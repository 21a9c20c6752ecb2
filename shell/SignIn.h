#pragma once

class TForm1_zq;

// The sign-in loop: at most three credential checks, each in a new dialog; a cancel ends
// at once. On success the user's name is stored as the session value "pegawai" and the two
// privileges on the main window. Returns whether a user signed in; database errors are
// thrown to the caller after the dialog has gone.
bool signIn(TForm1_zq &mainWindow);
