"""python3 -m bctovsel: the bctovsel command."""

import sys

from .cli import main

sys.exit(main())
