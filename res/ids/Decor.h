// Owner-drawn menus and the flat look of controls: the menu icons.
#pragma once
