// Sonalyx: turns live signals into control data for lights, music and sound.
int main()
{
    return 0;
}
