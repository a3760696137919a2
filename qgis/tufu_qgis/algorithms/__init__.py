"""The Processing algorithms of the tufu provider."""
