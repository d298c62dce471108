// The search forms and the Options dialog.
#pragma once
