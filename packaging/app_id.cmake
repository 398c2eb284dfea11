# The reverse-DNS id names the desktop entry, icon and metadata alike.
# org.example is reserved for examples, so it claims no one's domain.
set(PAYLOG_APP_ID org.example.paylog)
