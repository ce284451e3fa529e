# The dialogs of the online panel: the search sites and the internet address.
