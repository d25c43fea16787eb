// Nothing to run: each layer's library is linked whole into this, with only
// the layers it may use, so that a call into a layer above it fails to link.
int main(void)
{
    return 0;
}
