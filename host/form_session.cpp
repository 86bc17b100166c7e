#include "host/form_session.h"

#include "host/event_script.h"

namespace quorl {

void RunFormSession(FormHost& host, platform::UserActions& user, std::istream* events,
                    std::ostream& out, std::ostream& errors) {
  if (!host.HasForm()) return;
  host.windows().BringToTop(host.FormWindow());
  host.windows().PumpMessages();
  host.OnUserActionDone();  // what the start-up set off has ended
  if (events && !user.FormClosed()) EventScript(host, user, out, errors).Run(*events);
  if (!user.FormClosed()) host.CloseForm();
}

}  // namespace quorl
