// The tray icon and the tip of the day.
#pragma once
