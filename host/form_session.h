// The running state of a form program in a console: once its start-up
// procedures have run, the form takes the user's actions (replayed from an
// event script, if one is given) until it is closed.
#pragma once

#include <istream>
#include <ostream>

#include "host/form_host.h"
#include "platform/user_actions.h"

namespace quorl {

// Brings the form to the top, carries out what the start-up procedures left
// waiting (an END), replays the events, and finally closes the form as the
// user would if the program has not closed it. A program without a form
// window has nothing to run here.
void RunFormSession(FormHost& host, platform::UserActions& user, std::istream* events,
                    std::ostream& out, std::ostream& errors);

}  // namespace quorl
